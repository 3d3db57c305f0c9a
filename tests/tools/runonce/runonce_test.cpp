#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

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
    void Set(const std::string& key, const std::string& name, const std::string& text, DWORD type = REG_SZ) {
        HKEY handle = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &handle, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(handle, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
        RegCloseKey(handle);
    }
    bool Has(const std::string& key, const std::string& name) {
        return ReadRawValue(HKEY_LOCAL_MACHINE, key, name).has_value();
    }
    // A program that leaves a file named after itself plus ".ran", holding its arguments.
    fs::path Probe(const std::string& relative) {
        const fs::path path = directory.path() / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.ran\"\n";
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }
    // The arguments the probe got, once it has run (waited for, since it runs detached).
    std::optional<std::string> RanWith(const fs::path& probe) {
        const fs::path marker = probe.string() + ".ran";
        for (int i = 0; i < 500 && !fs::exists(marker); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!fs::exists(marker)) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::ifstream in(marker);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

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
    Set(kRunOnce, "other", once.string() + " 'two words' plain");
    Set(kRunOnce, "!late", late.string());
    Set(kRunOnce, "empty", "");
    Set(kRunOnce, "number", "1234", REG_BINARY);
    Set(kRun, "always", always.string() + " --quiet");

    const StartupReport report = RunStartupKeys();
    EXPECT_TRUE(report.failures.empty()) << report.failures.front();
    EXPECT_EQ(report.started, 4);
    EXPECT_EQ(RanWith(program), "\n");               // started whole, with no argument
    EXPECT_EQ(RanWith(once), "two words\nplain\n");  // shell words, quotes respected
    EXPECT_EQ(RanWith(late), "\n");
    EXPECT_EQ(RanWith(always), "--quiet\n");
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

TEST_F(RunOnceTest, NoShellReadsTheCommandAndFailuresAreReported) {
    const fs::path probe = Probe("bin/probe");
    const fs::path trap = directory.path() / "trap";
    Set(kRunOnce, "a", probe.string() + " \"; touch " + trap.string() + "\" $(touch " + trap.string() + ")");
    Set(kRunOnce, "b", directory.path().string() + "/missing-program --flag");
    Set(kRunOnce, "c", "unclosed 'quote");
    const StartupReport report = RunStartupKeys();
    EXPECT_EQ(report.started, 1);
    ASSERT_EQ(report.failures.size(), 2u);
    EXPECT_NE(report.failures[0].find("missing-program: no such program"), std::string::npos)
        << report.failures[0];
    EXPECT_NE(report.failures[1].find("cannot split"), std::string::npos) << report.failures[1];
    EXPECT_EQ(RanWith(probe), "; touch " + trap.string() + "\n$(touch\n" + trap.string() + ")\n");
    EXPECT_FALSE(fs::exists(trap));
    EXPECT_FALSE(Has(kRunOnce, "b"));  // removed all the same, as the system does
}

TEST_F(RunOnceTest, NothingToDoIsSuccess) {
    const StartupReport report = RunStartupKeys();
    EXPECT_EQ(report.started, 0);
    EXPECT_TRUE(report.failures.empty());
}
