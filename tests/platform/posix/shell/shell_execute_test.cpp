// ShellExecuteA outside Windows, with the test program as the programs it starts and as the desktop's
// opener (shell_probe.h).
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
#include <utility>
#include <vector>

#include "platform/posix/core/win32_api.h"
#include "platform/posix/core/window_table.h"
#include "platform/posix/shell/shell_error_box.h"
#include "tests/platform/posix/shell/shell_probe.h"
#include "tests/support/temporary_prefix.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr const char* kTitle = "Probe's Title";

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
        posix::SetShellErrorCaption([] { return std::string(kTitle); });
    }
    ~ShellExecuteTest() override {
        for (const Box& box : TakeBoxes()) ADD_FAILURE() << "a box nobody expected: " << box.text;
    }

    // The one box a failed launch showed, at once and on this thread.
    static Box ShownBox(const std::string& text) {
        return {kTitle, text, MB_OK | MB_ICONERROR, std::this_thread::get_id()};
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

// What a program receives, byte for byte, for the parameters of its launch: split as a Windows program's
// runtime splits its command line, nothing interpreted.
struct SplitCase {
    const char* parameters;
    std::vector<std::string> arguments;
};

const SplitCase kSplitCorpus[] = {
    // Ordinary texts.
    {"", {}},
    {" \t  ", {}},
    {"--title Wake up", {"--title", "Wake", "up"}},
    {"Don't oversleep", {"Don't", "oversleep"}},
    {"It's 7 o'clock, isn't it?", {"It's", "7", "o'clock,", "isn't", "it?"}},
    {"\"Time to go\" now", {"Time to go", "now"}},
    {"a  \t b\t", {"a", "b"}},
    {"C:\\Program Files\\Clock\\ring.wav", {"C:\\Program", "Files\\Clock\\ring.wav"}},
    {"\"C:\\Program Files\\Clock\\\\\" next", {"C:\\Program Files\\Clock\\", "next"}},
    {"\\\\server\\share\\", {"\\\\server\\share\\"}},
    {"Wecker \xe2\x86\x92 weiter \xe2\x98\x95", {"Wecker", "\xe2\x86\x92", "weiter", "\xe2\x98\x95"}},
    // Quotes and the backslashes before them.
    {"a\\\"b", {"a\"b"}},
    {"a\\\\\"b c\"", {"a\\b c"}},
    {"a\\\\\\\"b", {"a\\\"b"}},
    {"a\\\\\\\\\"b c\"", {"a\\\\b c"}},
    {"\\\\\\\\ \\", {"\\\\\\\\", "\\"}},
    {"\"a\"\"b\"", {"a\"b"}},
    {"\"\"\"\"", {"\""}},
    {"\"\" x \"\"", {"", "x", ""}},
    {"a\"b c\"d", {"ab cd"}},
    {"\"unclosed group  ", {"unclosed group  "}},
    {"end\"", {"end"}},
    // What a shell would have read: plain characters here.
    {"'single quoted' words", {"'single", "quoted'", "words"}},
    {"# not a comment", {"#", "not", "a", "comment"}},
    {"$HOME ${PATH} $(id) `id`", {"$HOME", "${PATH}", "$(id)", "`id`"}},
    {"a;b && c | d > out < in 2>&1 &", {"a;b", "&&", "c", "|", "d", ">", "out", "<", "in", "2>&1", "&"}},
    {"*.txt ? ~ ~/x [a] {b,c}", {"*.txt", "?", "~", "~/x", "[a]", "{b,c}"}},
    {"a\\ b", {"a\\", "b"}},
    {"line\none\rtwo", {"line\none\rtwo"}},
    {"\xff\xfe -\x01-", {"\xff\xfe", "-\x01-"}},
};

TEST_F(ShellExecuteTest, ParametersReachTheProgramAsAWindowsProgramWouldReceiveThem) {
    for (const SplitCase& split : kSplitCorpus) {
        EXPECT_EQ(Open(probe_.string(), split.parameters), 42) << split.parameters;
        const auto report = AwaitReport(report_);
        ASSERT_TRUE(report.has_value()) << split.parameters;
        std::vector<std::string> expected{probe_.string()};
        expected.insert(expected.end(), split.arguments.begin(), split.arguments.end());
        EXPECT_EQ(report->argv, expected) << split.parameters;
    }
}

TEST_F(ShellExecuteTest, NoShellRunsTheParameters) {
    const std::string trap = (directory_.path() / "x").string();
    const std::string parameters =
        "\"; touch " + trap + "\" ; touch " + trap + " $(touch " + trap + ") `touch " + trap + "`";
    EXPECT_EQ(Open(probe_.string(), parameters.c_str()), 42);
    const auto report = AwaitReport(report_);
    ASSERT_TRUE(report.has_value());
    const std::vector<std::string> expected{probe_.string(), "; touch " + trap, ";",      "touch",   trap,
                                            "$(touch",       trap + ")",        "`touch", trap + "`"};
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
    EXPECT_EQ(TakeBoxes(),
              std::vector<Box>{
                  ShownBox("Cannot open shell-probe: no application is set to open it (xdg-open is missing)")});
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

// Every failure is told to the user, in a box with the program's title, before ShellExecuteA returns.
TEST_F(ShellExecuteTest, FailuresGiveWin32CodesAndABox) {
    const std::string missing = (directory_.path() / "missing").string();
    const fs::path notAProgram = MakeFile("not-a-program", "no magic, no interpreter line\n");
    fs::permissions(notAProgram, fs::perms::owner_all);
    const std::string probe = probe_.string();
    struct Failure {
        const char* operation;
        const char* file;
        const char* directory;
        std::intptr_t code;
        std::string box;
    };
    const Failure failures[] = {
        {"open", missing.c_str(), nullptr, SE_ERR_FNF, "Cannot run " + missing + ": No such file or directory"},
        {"open", "/usr/bin/nothere", nullptr, SE_ERR_FNF,
         "Cannot run /usr/bin/nothere: No such file or directory"},
        {"open", "no-such-program-anywhere", nullptr, SE_ERR_FNF,
         "Cannot run no-such-program-anywhere: No such file or directory"},
        {"open", "", nullptr, SE_ERR_FNF, "Cannot run a program without a name"},
        {"open", nullptr, nullptr, SE_ERR_FNF, "Cannot run a program without a name"},
        {"open", probe.c_str(), missing.c_str(), SE_ERR_PNF,
         "Cannot run " + probe + ": working directory " + missing + ": No such file or directory"},
        {"open", probe.c_str(), notAProgram.c_str(), SE_ERR_PNF,
         "Cannot run " + probe + ": working directory " + notAProgram.string() + ": Not a directory"},
        {"print", probe.c_str(), nullptr, SE_ERR_NOASSOC,
         "Cannot print " + probe + ": no application does that"},
        // Executable, yet not a program: the exec itself fails, and that is what is reported.
        {"open", notAProgram.c_str(), nullptr, ERROR_BAD_FORMAT,
         "Cannot run " + notAProgram.string() + ": Exec format error"},
    };
    for (const Failure& failure : failures) {
        const char* file = failure.file != nullptr ? failure.file : "(null)";
        EXPECT_EQ(reinterpret_cast<std::intptr_t>(ShellExecuteA(nullptr, failure.operation, failure.file,
                                                                nullptr, failure.directory, SW_SHOW)),
                  failure.code)
            << file;
        EXPECT_EQ(TakeBoxes(), std::vector<Box>{ShownBox(failure.box)}) << file;
    }
    EXPECT_FALSE(fs::exists(report_)) << "a failed launch ran the program";
}

TEST_F(ShellExecuteTest, AVeryLongNameIsShortenedInItsMiddleSoTheReasonShows) {
    const std::string start = (directory_.path() / "start-").string();
    const std::string ownName = "\u00e9" + std::string(200, 'n') + "-own-name";
    const std::string file = start + std::string(100000, 'x') + "\u00e9/" + ownName;
    ShellExecuteA(nullptr, "open", file.c_str(), nullptr, nullptr, SW_SHOW);
    const std::vector<Box> boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    const std::string& text = boxes[0].text;
    EXPECT_LT(text.size(), 400u) << text;
    EXPECT_EQ(text.rfind("Cannot run " + start.substr(0, 20), 0), 0u) << text;
    EXPECT_NE(text.find("\u2026" + ownName + ": "), std::string::npos) << text;  // its own name whole
    EXPECT_TRUE(text.ends_with(ownName + ": No such file or directory")) << text;
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

TEST_F(ShellExecuteTest, WithoutAnOpenerNothingIsAssociated) {
    const fs::path notes = MakeFile("notes.txt");
    ScopedEnvironment path("PATH", bin_.string());
    EXPECT_EQ(Open(notes.string()), SE_ERR_NOASSOC);
    EXPECT_EQ(Open("https://example.org/"), SE_ERR_NOASSOC);
    const std::string missing = ": no application is set to open it (xdg-open is missing)";
    EXPECT_EQ(TakeBoxes(), (std::vector<Box>{ShownBox("Cannot open " + notes.string() + missing),
                                             ShownBox("Cannot open https://example.org/" + missing)}));
}

// The opener is never waited for: it is held until ShellExecuteA has returned, and its failure arrives
// later as a posted message, whose box the thread that dispatches shows.
TEST_F(ShellExecuteTest, AnOpenerThatFailsGivesTheBoxLaterOnTheDispatchingThread) {
    InstallOpener();
    const fs::path notes = MakeFile("notes.txt");
    const fs::path release = directory_.path() / "release";
    ScopedEnvironment held(kReleaseVariable, release.string());
    struct Ending {
        const char* exitCode;
        std::string reason;
    };
    const Ending endings[] = {
        {"1", "xdg-open failed with exit status 1"},
        {"2", "No such file or directory"},
        {"3", "no application is set to open it"},
        {"4", "the application failed to open it"},
    };
    for (const Ending& ending : endings) {
        ScopedEnvironment failing(kExitVariable, std::string(ending.exitCode));
        EXPECT_EQ(Open(notes.string()), 42);
        EXPECT_FALSE(fs::exists(report_)) << "ShellExecuteA waited for the opener";
        std::ofstream{release};
        ASSERT_TRUE(AwaitReport(report_).has_value()) << "the opener was not asked";
        ASSERT_TRUE(WaitUntil(posix::HasPostedMessages)) << "no failure came back from the opener";
        EXPECT_TRUE(TakeBoxes().empty()) << "the box was shown off the dispatching thread";
        EXPECT_EQ(posix::DispatchPostedMessages(), 1);
        EXPECT_EQ(TakeBoxes(),
                  std::vector<Box>{ShownBox("Cannot open " + notes.string() + ": " + ending.reason)})
            << ending.exitCode;
        fs::remove(release);
    }
}

}  // namespace
