#include <gtest/gtest.h>

#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "platform/posix/instance/instance_claim.h"
#include "tests/support/subprocess.h"
#include "tests/support/temporary_prefix.h"

namespace {

bool Readable(int descriptor, int milliseconds) {
    pollfd watched{descriptor, POLLIN, 0};
    return poll(&watched, 1, milliseconds) == 1;
}

// Claims the lock in a child process, as a second start of the program would; the wait status says
// how it ended.
int ClaimInAnotherProcess() {
    const pid_t child = fork();
    if (child == 0) _exit(posix::InstanceClaim::Claim("alarmclock") ? 0 : 1);
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

// Whether that child got the lock.
bool ClaimedByAnotherProcess() {
    const int status = ClaimInAnotherProcess();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

mode_t Mode(const std::filesystem::path& path) {
    struct stat status {};
    EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

// The text of the failure of a claim in a child process, as a user without root's rights when this runs
// as root, so that permissions count; "claimed" or "gave way" when there was none.
std::string ClaimFailure() {
    int pipeEnds[2];
    EXPECT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        std::string outcome;
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
        try {
            outcome = posix::InstanceClaim::Claim("alarmclock") ? "claimed" : "gave way";
        } catch (const std::filesystem::filesystem_error& error) {
            outcome = std::string("filesystem_error: ") + error.what();
        } catch (const std::exception& error) {
            outcome = error.what();
        }
        if (write(pipeEnds[1], outcome.data(), outcome.size()) < 0) _exit(3);
        _exit(0);
    }
    close(pipeEnds[1]);
    const std::string outcome = ReadToEnd(pipeEnds[0]);
    EXPECT_EQ(WaitFor(child), 0);
    return outcome;
}

}  // namespace

TEST(InstanceClaimTest, ASettingsLocationThatCannotBeUsedIsAClearError) {
    TemporaryDirectory directory;
    // Reachable by the unprivileged child.
    std::filesystem::permissions(directory.path(), std::filesystem::perms(0755));
    const std::filesystem::path file = directory.path() / "file";
    std::ofstream(file) << "not a directory";
    const std::filesystem::path readOnly = directory.path() / "read-only";
    std::filesystem::create_directories(readOnly);
    std::filesystem::permissions(readOnly, std::filesystem::perms(0555));
    struct Case {
        const char* what;
        std::optional<std::string> prefix, config, home;
        std::string message;  // how it begins
    };
    const std::string cannotOpen = "The configuration registry key could not be opened. ";
    const Case cases[] = {
        {"prefix is a file", file.string(), std::nullopt, "/home/x",
         cannotOpen + file.string() + ": Not a directory"},
        {"prefix inside a file", (file / "prefix").string(), std::nullopt, "/home/x",
         cannotOpen + file.string() + ": Not a directory"},
        {"prefix read-only", readOnly.string(), std::nullopt, "/home/x",
         "cannot open " + (readOnly / "alarmclock.lock").string() + ": Permission denied"},
        {"parent read-only", (readOnly / "prefix").string(), std::nullopt, "/home/x",
         cannotOpen + (readOnly / "prefix").string() + ": Permission denied"},
        {"no home", std::nullopt, std::nullopt, std::nullopt, cannotOpen + "cannot locate the registry"},
        {"relative configuration and no home", std::nullopt, "relative/config", std::nullopt,
         cannotOpen + "cannot locate the registry"},
    };
    for (const Case& test : cases) {
        ScopedEnvironment prefix("ALARMCLOCK_PREFIX", test.prefix);
        ScopedEnvironment config("XDG_CONFIG_HOME", test.config);
        ScopedEnvironment home("HOME", test.home);
        const std::string failure = ClaimFailure();
        EXPECT_EQ(failure.rfind(test.message, 0), 0u) << test.what << ": " << failure;
    }
    EXPECT_FALSE(std::filesystem::exists("relative"));  // a relative configuration directory is ignored
}

TEST(InstanceClaimTest, ThePrefixIsMadeOwnerOnlyWhateverTheUmask) {
    for (mode_t mask : {mode_t{0}, mode_t{0022}, mode_t{0002}}) {
        TemporaryDirectory directory;
        std::filesystem::permissions(directory.path(), std::filesystem::perms(0755));
        ScopedEnvironment prefix("ALARMCLOCK_PREFIX", (directory.path() / "new" / "prefix").string());
        const mode_t saved = umask(mask);
        auto holder = posix::InstanceClaim::Claim("alarmclock");
        umask(saved);
        ASSERT_NE(holder, nullptr);
        EXPECT_EQ(Mode(directory.path() / "new"), 0700u) << "umask " << mask;
        EXPECT_EQ(Mode(directory.path() / "new" / "prefix"), 0700u) << "umask " << mask;
        EXPECT_EQ(Mode(directory.path() / "new" / "prefix" / "alarmclock.lock"), 0600u) << "umask " << mask;
        EXPECT_EQ(Mode(directory.path()), 0755u);
    }
}

#ifdef ALARMCLOCK_PATH
TEST(InstanceClaimTest, TheProgramSaysWhyItCannotStartAndEndsWithStatusOne) {
    TemporaryDirectory directory;
    const std::filesystem::path file = directory.path() / "file";
    std::ofstream(file) << "not a directory";
    // No display: the reason goes to standard error alone.
    ScopedEnvironment prefix("ALARMCLOCK_PREFIX", file.string());
    ScopedEnvironment display("DISPLAY", std::nullopt);
    ScopedEnvironment wayland("WAYLAND_DISPLAY", std::nullopt);
    ScopedEnvironment platform("QT_QPA_PLATFORM", std::nullopt);
    const ProcessResult result = RunProcess({ALARMCLOCK_PATH});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "alarmclock: The configuration registry key could not be opened. " + file.string() +
                              ": Not a directory\n");
}
#endif

TEST(InstanceClaimTest, ALaterStartGivesWayAndKnocksOnTheHolder) {
    TemporaryPrefix prefix;
    auto holder = posix::InstanceClaim::Claim("alarmclock");
    ASSERT_NE(holder, nullptr);
    EXPECT_TRUE(holder->TakeRequests().empty());

    EXPECT_FALSE(ClaimedByAnotherProcess());  // a second start gives way
    ASSERT_TRUE(Readable(holder->ListenDescriptor(), 2000));
    const auto requests = holder->TakeRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Command(), "");
    EXPECT_TRUE(holder->TakeRequests().empty());  // taken once

    // A start with a command gets the holder's answer; nothing claims the instance meanwhile.
    std::optional<posix::InstanceClaim::Answer> answer;
    std::thread asker([&] { answer = posix::InstanceClaim::Ask("alarmclock", "status"); });
    ASSERT_TRUE(Readable(holder->ListenDescriptor(), 2000));
    auto commands = holder->TakeRequests();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].Command(), "status");
    commands[0].Reply({1, "two\nlines\n"});
    asker.join();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 1);
    EXPECT_EQ(answer->text, "two\nlines\n");

    holder.reset();  // the program ended: the next start runs, a command finds no one
    EXPECT_FALSE(posix::InstanceClaim::Ask("alarmclock", "status"));
    EXPECT_TRUE(ClaimedByAnotherProcess());
}

TEST(InstanceClaimTest, APrefixOthersCanChangeGetsNoLockFileAndStillOneInstance) {
    TemporaryDirectory directory;
    ScopedEnvironment prefix("ALARMCLOCK_PREFIX", directory.path().string());
    std::filesystem::permissions(directory.path(), std::filesystem::perms(0777));
    auto holder = posix::InstanceClaim::Claim("alarmclock");
    ASSERT_NE(holder, nullptr);
    EXPECT_FALSE(ClaimedByAnotherProcess());
    EXPECT_TRUE(Readable(holder->ListenDescriptor(), 2000));
    EXPECT_TRUE(std::filesystem::is_empty(directory.path()));
    holder.reset();
    EXPECT_TRUE(ClaimedByAnotherProcess());
}

TEST(InstanceClaimTest, EachSettingsLocationHasItsOwnInstance) {
    TemporaryPrefix first;
    auto holder = posix::InstanceClaim::Claim("alarmclock");
    ASSERT_NE(holder, nullptr);
    TemporaryPrefix second;
    EXPECT_TRUE(ClaimedByAnotherProcess());
}

TEST(InstanceClaimTest, AKnockSurvivesAHolderThatClosesAtOnce) {
    TemporaryPrefix prefix;
    auto holder = posix::InstanceClaim::Claim("alarmclock");
    ASSERT_NE(holder, nullptr);
    // The running program takes each knock as soon as it arrives and closes the connection: a later start
    // that writes to the closed connection must give way, not be killed by SIGPIPE.
    std::atomic<bool> done{false};
    std::thread taker([&] {
        while (!done) holder->TakeRequests();
    });
    for (int start = 0; start < 30; ++start) {
        const int status = ClaimInAnotherProcess();
        EXPECT_TRUE(WIFEXITED(status)) << "start " << start << " ended by signal " << WTERMSIG(status);
        EXPECT_EQ(WEXITSTATUS(status), 1) << "start " << start << " should have given way";
    }
    done = true;
    taker.join();
}
