#include <gtest/gtest.h>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "platform/posix/instance_lock.h"
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
    if (child == 0) _exit(posix::InstanceLock::Claim("alarmclock") ? 0 : 1);
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

// Whether that child got the lock.
bool ClaimedByAnotherProcess() {
    const int status = ClaimInAnotherProcess();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

TEST(InstanceLockTest, ALaterStartGivesWayAndKnocksOnTheHolder) {
    TemporaryPrefix prefix;
    auto holder = posix::InstanceLock::Claim("alarmclock");
    ASSERT_NE(holder, nullptr);
    EXPECT_FALSE(holder->TakeKnocks());

    EXPECT_FALSE(ClaimedByAnotherProcess());  // a second start gives way
    ASSERT_TRUE(Readable(holder->ListenDescriptor(), 2000));
    EXPECT_TRUE(holder->TakeKnocks());
    EXPECT_FALSE(holder->TakeKnocks());  // taken once

    holder.reset();  // the program ended: the next start runs
    EXPECT_TRUE(ClaimedByAnotherProcess());
}

TEST(InstanceLockTest, EachSettingsLocationHasItsOwnInstance) {
    TemporaryPrefix first;
    auto holder = posix::InstanceLock::Claim("alarmclock");
    ASSERT_NE(holder, nullptr);
    TemporaryPrefix second;
    EXPECT_TRUE(ClaimedByAnotherProcess());
}

TEST(InstanceLockTest, AKnockSurvivesAHolderThatClosesAtOnce) {
    TemporaryPrefix prefix;
    auto holder = posix::InstanceLock::Claim("alarmclock");
    ASSERT_NE(holder, nullptr);
    // The running program takes each knock as soon as it arrives and closes the connection, which is when
    // a later start used to die of SIGPIPE instead of giving way.
    std::atomic<bool> done{false};
    std::thread taker([&] {
        while (!done) holder->TakeKnocks();
    });
    for (int start = 0; start < 30; ++start) {
        const int status = ClaimInAnotherProcess();
        EXPECT_TRUE(WIFEXITED(status)) << "start " << start << " ended by signal " << WTERMSIG(status);
        EXPECT_EQ(WEXITSTATUS(status), 1) << "start " << start << " should have given way";
    }
    done = true;
    taker.join();
}
