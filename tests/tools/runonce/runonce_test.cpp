#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/api.h"
#include "tests/support/raw_registry.h"
#include "tests/support/temporary_prefix.h"
#include "tools/runonce/startup_keys.h"

namespace fs = std::filesystem;

namespace {

const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kRunOnce = kRun + "Once";

class RunOnceTest : public ::testing::Test {
  protected:
    void Set(const std::string& key, const std::string& name, const std::string& text, DWORD type = REG_SZ,
             HKEY root = HKEY_LOCAL_MACHINE) {
        HKEY handle = nullptr;
        ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(handle, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
        RegCloseKey(handle);
    }
    bool Has(const std::string& key, const std::string& name, HKEY root = HKEY_LOCAL_MACHINE) {
        return ReadRawValue(root, key, name).has_value();
    }
    // A program that leaves a file named after itself plus ".ran", holding its arguments, each ended by a
    // NUL so that any byte comes back as it was.
    fs::path Probe(const std::string& relative) {
        const fs::path path = directory.path() / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "#!/bin/sh\nfor a; do printf '%s\\0' \"$a\"; done > \"$0.part\"\n"
                               "mv \"$0.part\" \"$0.ran\"\n";
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }
    // The arguments the probe got, once it has run (waited for, since it runs detached).
    std::optional<std::vector<std::string>> RanWith(const fs::path& probe) {
        const fs::path marker = probe.string() + ".ran";
        for (int i = 0; i < 2000 && !fs::exists(marker); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!fs::exists(marker)) return std::nullopt;
        std::ifstream in(marker);
        std::vector<std::string> arguments;
        for (std::string argument; std::getline(in, argument, '\0');) arguments.push_back(argument);
        return arguments;
    }
    using Words = std::vector<std::string>;

    TemporaryPrefix prefix;
    TemporaryDirectory directory;
};

}  // namespace

TEST_F(RunOnceTest, RunOnceCommandsRunOnceAndGoWhileRunCommandsStay) {
    const fs::path program = Probe("my tools/alarm clock");  // a path with spaces, as the program writes it
    const fs::path once = Probe("bin/once");
    const fs::path late = Probe("bin/late");
    const fs::path always = Probe("bin/always");
    Set(kRunOnce, "alarmclock", program.string());
    Set(kRunOnce, "other", once.string() + " \"two words\" plain");
    Set(kRunOnce, "!late", late.string());
    Set(kRunOnce, "empty", "");
    Set(kRunOnce, "number", "1234", REG_BINARY);
    Set(kRun, "always", always.string() + " --quiet");

    const StartupReport report = RunStartupKeys();
    EXPECT_TRUE(report.failures.empty()) << report.failures.front();
    EXPECT_EQ(report.started, 4);
    EXPECT_EQ(RanWith(program), Words{});  // started whole, with no argument
    EXPECT_EQ(RanWith(once), (Words{"two words", "plain"}));
    EXPECT_EQ(RanWith(late), Words{});
    EXPECT_EQ(RanWith(always), Words{"--quiet"});
    for (const char* name : {"alarmclock", "other", "!late", "empty", "number"}) {
        EXPECT_FALSE(Has(kRunOnce, name)) << name;
    }
    EXPECT_TRUE(Has(kRun, "always"));

    // A second login runs only what Run still holds.
    fs::remove(always.string() + ".ran");
    fs::remove(once.string() + ".ran");
    EXPECT_EQ(RunStartupKeys().started, 1);
    EXPECT_TRUE(RanWith(always));
    EXPECT_FALSE(fs::exists(once.string() + ".ran"));
}

TEST_F(RunOnceTest, TheUsersKeysRunAfterTheMachinesAndACommandStartsOnceAtALogin) {
    const fs::path program = Probe("my tools/alarm clock");
    const fs::path once = Probe("bin/once");
    // The program's entry as this version writes it, and as an earlier one left it under the machine's key.
    Set(kRun, "alarmclock", '"' + program.string() + '"', REG_SZ, HKEY_CURRENT_USER);
    Set(kRunOnce, "alarmclock", program.string());
    Set(kRunOnce, "other", once.string(), REG_SZ, HKEY_CURRENT_USER);

    const StartupReport report = RunStartupKeys();
    EXPECT_TRUE(report.failures.empty()) << report.failures.front();
    EXPECT_EQ(report.started, 2);  // the program once, though two keys name it
    EXPECT_EQ(RanWith(program), Words{});
    EXPECT_EQ(RanWith(once), Words{});
    EXPECT_TRUE(Has(kRun, "alarmclock", HKEY_CURRENT_USER));  // Run keeps its command
    EXPECT_FALSE(Has(kRunOnce, "alarmclock"));
    EXPECT_FALSE(Has(kRunOnce, "other", HKEY_CURRENT_USER));

    // The next login: the user's Run key alone starts the program.
    fs::remove(program.string() + ".ran");
    EXPECT_EQ(RunStartupKeys().started, 1);
    EXPECT_TRUE(RanWith(program));
}

// A command line is split as a Windows program's runtime splits its own: the program's name by its rule
// (quotes group, backslashes literal), then the arguments by theirs; no shell reads any of it.
TEST_F(RunOnceTest, CommandsAreSplitAsAWindowsProgramSplitsItsCommandLine) {
    const std::string dir = directory.path().string();
    const std::string trap = dir + "/trap";
    struct Command {
        const char* probe;  // relative to the directory
        std::string command;
        Words arguments;
    };
    const Command commands[] = {
        {"a/probe", dir + "/a/probe Don't oversleep", {"Don't", "oversleep"}},
        {"my tools/probe", "\"" + dir + "/my tools/probe\" --flag \"two words\"", {"--flag", "two words"}},
        {"c/probe", " \t " + dir + "/c/probe \t x ", {"x"}},
        {"d d/probe", dir + "/d\" \"d/probe x", {"x"}},
        {"e\\/probe", "\"" + dir + "/e\\\"/probe a\\\"b \\\\server\\share", {"a\"b", "\\\\server\\share"}},
        {"f/probe", dir + "/f/probe \"a\"\"b\" \"\" \"unclosed  ", {"a\"b", "", "unclosed  "}},
        {"g/probe", dir + "/g/probe 'one two' # $HOME `id` a;b", {"'one", "two'", "#", "$HOME", "`id`", "a;b"}},
        {"h/probe",
         dir + "/h/probe \"; touch " + trap + "\" $(touch " + trap + ")",
         {"; touch " + trap, "$(touch", trap + ")"}},
    };
    for (const Command& command : commands) {
        Probe(command.probe);
        Set(kRunOnce, command.probe, command.command);
    }
    const StartupReport report = RunStartupKeys();
    EXPECT_TRUE(report.failures.empty()) << report.failures.front();
    for (const Command& command : commands)
        EXPECT_EQ(RanWith(directory.path() / command.probe), command.arguments) << command.command;
    EXPECT_FALSE(fs::exists(trap));
}

TEST_F(RunOnceTest, FailuresAreReported) {
    Set(kRunOnce, "a", directory.path().string() + "/missing-program --flag");
    Set(kRunOnce, "b", "unclosed 'quote");
    Set(kRunOnce, "c", " \t ");
    const StartupReport report = RunStartupKeys();
    EXPECT_EQ(report.started, 0);
    const std::vector<std::string> expected{
        "HKEY_LOCAL_MACHINE\\" + kRunOnce + "\\a: " + directory.path().string() +
            "/missing-program: no such program",
        "HKEY_LOCAL_MACHINE\\" + kRunOnce + "\\b: unclosed: no such program",
        "HKEY_LOCAL_MACHINE\\" + kRunOnce + "\\c: no program in the command",
    };
    EXPECT_EQ(report.failures, expected);
    EXPECT_FALSE(Has(kRunOnce, "a"));  // removed all the same, as the system does
}

TEST_F(RunOnceTest, CommandsFromARegistryOthersCanChangeAreNotRun) {
    const fs::path planted = Probe("bin/planted");
    Set(kRunOnce, "planted", planted.string());
    Set(kRun, "always", planted.string());
    for (const fs::path& spoiled : {prefix.prefix(), prefix.prefix() / "registry.db"}) {
        const auto mode = fs::status(spoiled).permissions();
        fs::permissions(spoiled, fs::perms::others_write, fs::perm_options::add);
        const StartupReport report = RunStartupKeys();
        fs::permissions(spoiled, mode);
        EXPECT_EQ(report.started, 0) << spoiled;
        ASSERT_EQ(report.failures.size(), 1u) << spoiled;
        EXPECT_EQ(report.failures[0].rfind("not running the start-up commands: " + spoiled.string(), 0), 0u)
            << report.failures[0];
        EXPECT_NE(report.failures[0].find("chmod "), std::string::npos) << report.failures[0];
        EXPECT_TRUE(Has(kRunOnce, "planted"));  // left for the user to see
    }
    EXPECT_FALSE(fs::exists(planted.string() + ".ran"));
}

TEST_F(RunOnceTest, NothingToDoIsSuccess) {
    const StartupReport report = RunStartupKeys();
    EXPECT_EQ(report.started, 0);
    EXPECT_TRUE(report.failures.empty());
}
