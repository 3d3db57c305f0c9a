// ShellExecuteA outside Windows. This test program stands in for the programs it starts: run with
// SHELL_PROBE_REPORT set, it writes what it received and where it runs to that file and exits, with the
// code SHELL_PROBE_EXIT gives. Linked as "xdg-open" first on PATH, it is the desktop's opener.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/win32_api.h"
#include "tests/support/temporary_prefix.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr const char* kReportVariable = "SHELL_PROBE_REPORT";
constexpr const char* kExitVariable = "SHELL_PROBE_EXIT";

int RunProbe(const char* reportPath, int argc, char** argv) {
    std::vector<int> descriptors;
    if (DIR* listing = opendir("/proc/self/fd")) {
        while (const dirent* entry = readdir(listing)) {
            const int descriptor = std::atoi(entry->d_name);
            if (entry->d_name[0] != '.' && descriptor != dirfd(listing)) descriptors.push_back(descriptor);
        }
        closedir(listing);
    }
    const std::string partial = std::string(reportPath) + ".partial";
    {
        std::ofstream out(partial);
        out << "pid " << getpid() << "\nsid " << getsid(0) << "\ncwd " << fs::current_path().string() << "\n";
        for (int descriptor : descriptors) out << "fd " << descriptor << "\n";
        for (int i = 0; i < argc; ++i) out << "arg " << argv[i] << "\n";
    }
    // Renamed into place, so that the test never reads half a report.
    std::rename(partial.c_str(), reportPath);
    const char* exitCode = std::getenv(kExitVariable);
    return exitCode != nullptr ? std::atoi(exitCode) : 0;
}

struct Report {
    pid_t pid = 0;
    pid_t sid = 0;
    std::string cwd;
    std::vector<int> descriptors;
    std::vector<std::string> argv;
};

bool WaitUntil(const std::function<bool()>& done) {
    // Generous: the programs are started detached, and a loaded machine may be slow to run them.
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

std::optional<Report> AwaitReport(const fs::path& path) {
    if (!WaitUntil([&] { return fs::exists(path); })) return std::nullopt;
    Report report;
    std::ifstream in(path);
    std::string key;
    while (in >> key) {
        in.get();  // the space after the key
        std::string value;
        std::getline(in, value);
        if (key == "pid") report.pid = std::stoi(value);
        if (key == "sid") report.sid = std::stoi(value);
        if (key == "cwd") report.cwd = value;
        if (key == "fd") report.descriptors.push_back(std::stoi(value));
        if (key == "arg") report.argv.push_back(value);
    }
    fs::remove(path);
    return report;
}

// An exited child of this process that nobody has waited for.
bool IsZombieChild(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    if (!std::getline(in, stat)) return false;
    // "pid (name) state ppid ...", where the name may hold anything, parentheses included.
    std::istringstream rest(stat.substr(stat.rfind(')') + 1));
    char state = 0;
    pid_t parent = 0;
    rest >> state >> parent;
    return state == 'Z' && parent == getpid();
}

class ScopedCurrentDirectory {
  public:
    explicit ScopedCurrentDirectory(const fs::path& directory) : saved_(fs::current_path()) {
        fs::current_path(directory);
    }
    ~ScopedCurrentDirectory() { fs::current_path(saved_); }
    ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
    ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;

  private:
    fs::path saved_;
};

std::string SearchPath() {
    const char* path = std::getenv("PATH");
    return path != nullptr ? path : "/usr/bin:/bin";
}

std::intptr_t Open(const std::string& file, const char* parameters = nullptr, const char* directory = nullptr,
                   const char* operation = "open") {
    return reinterpret_cast<std::intptr_t>(
        ShellExecuteA(nullptr, operation, file.c_str(), parameters, directory, SW_SHOW));
}

class ShellExecuteTest : public ::testing::Test {
  protected:
    ShellExecuteTest() {
        fs::create_directory(bin_);
        LinkProbe(probe_);
    }

    static void LinkProbe(const fs::path& as) { fs::create_symlink(fs::read_symlink("/proc/self/exe"), as); }
    void InstallOpener() { LinkProbe(bin_ / "xdg-open"); }

    fs::path MakeFile(const std::string& name, const std::string& contents = "text\n") {
        const fs::path path = directory_.path() / name;
        std::ofstream(path) << contents;
        return path;
    }

    // The single argument the opener received, after checking that it was the only one.
    std::string OpenedWith(const std::string& file) {
        EXPECT_EQ(Open(file), 42) << file;
        const auto report = AwaitReport(report_);
        if (!report) return "(the opener did not run)";
        EXPECT_EQ(report->argv.size(), 2u) << file;
        return report->argv.back();
    }

    TemporaryDirectory directory_;
    fs::path bin_ = directory_.path() / "bin";
    fs::path probe_ = bin_ / "shell-probe";
    fs::path report_ = directory_.path() / "report";
    ScopedEnvironment reportVariable_{kReportVariable, report_.string()};
    ScopedEnvironment path_{"PATH", bin_.string() + ":" + SearchPath()};
};

TEST_F(ShellExecuteTest, ParametersAreShellWordsThatNothingInterprets) {
    const std::string trap = (directory_.path() / "x").string();
    const std::string parameters = "plain \"two words\" 'no $HOME here' a\\ b \"; touch " + trap +
                                   "\" ; touch " + trap + " $(touch " + trap + ") `touch " + trap + "`";
    EXPECT_EQ(Open(probe_.string(), parameters.c_str()), 42);
    const auto report = AwaitReport(report_);
    ASSERT_TRUE(report.has_value());
    const std::vector<std::string> expected{
        probe_.string(), "plain", "two words", "no $HOME here", "a b",    "; touch " + trap, ";",
        "touch",         trap,    "$(touch",   trap + ")",      "`touch", trap + "`"};
    EXPECT_EQ(report->argv, expected);
    EXPECT_FALSE(fs::exists(trap)) << "a shell ran the parameters";
}

TEST_F(ShellExecuteTest, ProgramsAreFoundByPathOrOnPathButNeverInTheCurrentDirectory) {
    EXPECT_EQ(Open("shell-probe"), 42);
    auto report = AwaitReport(report_);
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->argv, std::vector<std::string>{"shell-probe"});

    // A relative path is taken from where we are, not from the program's working directory.
    const fs::path work = directory_.path() / "work";
    fs::create_directory(work);
    {
        ScopedCurrentDirectory here(directory_.path());
        EXPECT_EQ(Open("bin/shell-probe", "x", work.c_str()), 42);
        report = AwaitReport(report_);
        ASSERT_TRUE(report.has_value());
        EXPECT_EQ(report->argv, (std::vector<std::string>{"bin/shell-probe", "x"}));
        EXPECT_EQ(report->cwd, fs::canonical(work).string());
    }

    // A bare name present only here is a document, and there is no opener on this PATH.
    ScopedEnvironment path("PATH", "/nonexistent:relative");
    ScopedCurrentDirectory here(bin_);
    EXPECT_EQ(Open("shell-probe"), SE_ERR_NOASSOC);
    EXPECT_FALSE(fs::exists(report_)) << "ran a program from the current directory";
}

TEST_F(ShellExecuteTest, TheProgramRunsDetachedWithOnlyTheStandardDescriptors) {
    const int inherited = open("/dev/null", O_RDONLY);  // deliberately without O_CLOEXEC
    ASSERT_GT(inherited, 2);
    const fs::path work = directory_.path() / "work";
    fs::create_directory(work);
    EXPECT_EQ(Open(probe_.string(), nullptr, work.c_str()), 42);
    auto report = AwaitReport(report_);
    close(inherited);
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->cwd, fs::canonical(work).string());
    EXPECT_EQ(report->sid, report->pid) << "not in a session of its own";
    EXPECT_NE(report->sid, getsid(0));
    EXPECT_FALSE(report->descriptors.empty());
    for (int descriptor : report->descriptors) EXPECT_LE(descriptor, 2) << "inherited descriptor";

    // No directory: where we are.
    EXPECT_EQ(Open(probe_.string(), "", ""), 42);
    report = AwaitReport(report_);
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->cwd, fs::current_path().string());
}

TEST_F(ShellExecuteTest, StartedProgramsAreReapedThoughNobodyWaitsForThem) {
    std::vector<fs::path> reports;
    for (int i = 0; i < 50; ++i) {
        reports.push_back(directory_.path() / ("report-" + std::to_string(i)));
        ScopedEnvironment variable(kReportVariable, reports.back().string());
        ASSERT_EQ(Open(probe_.string()), 42);
    }
    std::vector<pid_t> pids;
    for (const fs::path& path : reports) {
        const auto report = AwaitReport(path);
        ASSERT_TRUE(report.has_value()) << path;
        pids.push_back(report->pid);
    }
    EXPECT_TRUE(WaitUntil([&] { return std::none_of(pids.begin(), pids.end(), IsZombieChild); }))
        << "exited programs left as zombies";
}

TEST_F(ShellExecuteTest, FailuresGiveWin32Codes) {
    const fs::path missing = directory_.path() / "missing";
    EXPECT_EQ(Open(missing.string()), SE_ERR_FNF);
    EXPECT_EQ(Open("no-such-program-anywhere"), SE_ERR_FNF);
    EXPECT_EQ(Open(""), SE_ERR_FNF);
    EXPECT_EQ(
        reinterpret_cast<std::intptr_t>(ShellExecuteA(nullptr, "open", nullptr, nullptr, nullptr, SW_SHOW)),
        SE_ERR_FNF);
    EXPECT_EQ(Open(probe_.string(), nullptr, missing.c_str()), SE_ERR_PNF);
    EXPECT_EQ(Open(probe_.string(), "\"unclosed"), ERROR_BAD_FORMAT);
    EXPECT_EQ(Open(probe_.string(), nullptr, nullptr, "print"), SE_ERR_NOASSOC);

    // Executable, yet not a program: the exec itself fails, and that is what is reported.
    const fs::path notAProgram = MakeFile("not-a-program", "no magic, no interpreter line\n");
    fs::permissions(notAProgram, fs::perms::owner_all);
    EXPECT_EQ(Open(notAProgram.string()), ERROR_BAD_FORMAT);

    EXPECT_FALSE(fs::exists(report_)) << "a failed launch ran the program";
}

TEST_F(ShellExecuteTest, OpenIsTheDefaultVerbInAnyCase) {
    for (const char* operation : {static_cast<const char*>(nullptr), "open", "Open", "OPEN"}) {
        EXPECT_EQ(Open(probe_.string(), nullptr, nullptr, operation), 42) << (operation ? operation : "null");
        EXPECT_TRUE(AwaitReport(report_).has_value());
    }
}

TEST_F(ShellExecuteTest, DocumentsAndUrlsReachTheOpenerAsAbsolutePathsOrUrls) {
    InstallOpener();
    const fs::path notes = MakeFile("notes.txt");
    const fs::path dashed = MakeFile("-rf");
    fs::create_directory(directory_.path() / "docs");
    ScopedCurrentDirectory here(directory_.path());

    EXPECT_EQ(OpenedWith(notes.string()), notes.string());
    EXPECT_EQ(OpenedWith("notes.txt"), notes.string());
    EXPECT_EQ(OpenedWith("-rf"), dashed.string());
    EXPECT_EQ(OpenedWith("docs"), (directory_.path() / "docs").string());
    EXPECT_EQ(OpenedWith("docs/../-rf"), (directory_.path() / "docs/../-rf").string());
    EXPECT_EQ(OpenedWith("https://example.org/a?b=c&d=$(e)"), "https://example.org/a?b=c&d=$(e)");
}

TEST_F(ShellExecuteTest, WithoutAWorkingOpenerNothingIsAssociated) {
    const fs::path notes = MakeFile("notes.txt");
    {
        ScopedEnvironment path("PATH", bin_.string());
        EXPECT_EQ(Open(notes.string()), SE_ERR_NOASSOC) << "no opener at all";
        EXPECT_EQ(Open("https://example.org/"), SE_ERR_NOASSOC);
    }
    InstallOpener();
    ScopedEnvironment failing(kExitVariable, "4");
    EXPECT_EQ(Open(notes.string()), SE_ERR_NOASSOC) << "the opener failed";
    EXPECT_TRUE(AwaitReport(report_).has_value()) << "the opener was not asked";
}

}  // namespace

int main(int argc, char** argv) {
    if (const char* report = std::getenv(kReportVariable)) return RunProbe(report, argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
