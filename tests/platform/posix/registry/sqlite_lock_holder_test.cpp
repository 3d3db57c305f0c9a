#include "platform/posix/registry/sqlite_lock_holder.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/temporary_prefix.h"

namespace {

// SQLite's write lock bytes: of the "-shm" file in write-ahead mode, of the database (from 2^30) otherwise.
// After them a reader's bytes: one of those a write-ahead writer does not wait for, and the byte just past
// the 510 shared bytes of rollback mode, which a commit does wait for.
constexpr off_t kWalWriterByte = 120;
constexpr off_t kWalReaderByte = 123;
constexpr off_t kRollbackPendingByte = 0x40000000;
constexpr off_t kPastRollbackLocks = 0x40000000 + 2 + 510;

bool Lock(int descriptor, off_t start, off_t length, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = start;
    lock.l_len = length;
    return fcntl(descriptor, F_SETLK, &lock) == 0;
}

// A database file, with its "-shm" file when write-ahead, as SQLite leaves them for a lock to be taken on.
class LockHolder : public ::testing::TestWithParam<bool> {
  protected:
    LockHolder() {
        std::ofstream(database_).flush();
        if (WriteAhead()) std::ofstream(shared_).flush();
    }
    ~LockHolder() override { EndChild(); }

    bool WriteAhead() const { return GetParam(); }
    const std::filesystem::path& LockedFile() const { return WriteAhead() ? shared_ : database_; }
    off_t WriterByte() const { return WriteAhead() ? kWalWriterByte : kRollbackPendingByte; }
    off_t UnrelatedByte() const { return WriteAhead() ? kWalReaderByte : kPastRollbackLocks; }

    // A child process that locks bytes of the locked file and keeps them until the test ends.
    pid_t LockInChild(off_t start, off_t length, short type) {
        int ready[2];
        if (pipe(ready) != 0) return -1;
        child_ = fork();
        if (child_ == 0) {
            const int descriptor = open(LockedFile().c_str(), O_RDWR);
            const bool locked = descriptor >= 0 && Lock(descriptor, start, length, type);
            if (write(ready[1], locked ? "y" : "n", 1) != 1) _exit(1);
            pause();
            _exit(0);
        }
        close(ready[1]);
        char locked = 'n';
        const bool told = read(ready[0], &locked, 1) == 1;
        close(ready[0]);
        return told && locked == 'y' ? child_ : -1;
    }

    // The child's locks go with it.
    void EndChild() {
        if (child_ <= 0) return;
        kill(child_, SIGKILL);
        waitpid(child_, nullptr, 0);
        child_ = -1;
    }

    TemporaryDirectory directory_;
    std::filesystem::path database_ = directory_.path() / "held.db";
    std::filesystem::path shared_ = database_.string() + "-shm";
    pid_t child_ = -1;
};

TEST_P(LockHolder, NamesAnotherProcessOnlyForALockAWriteWaitsFor) {
    const pid_t other = LockInChild(UnrelatedByte(), 1, F_RDLCK);
    ASSERT_GT(other, 0);
    EXPECT_EQ(registry::DescribeLockHolder(database_), "(held by another process)");
    EndChild();

    const pid_t writer = LockInChild(WriterByte(), 0, F_WRLCK);  // to the end of the file
    ASSERT_GT(writer, 0);
    EXPECT_EQ(
        registry::DescribeLockHolder(database_).rfind("(held by process " + std::to_string(writer) + ", ", 0),
        0u);
}

// Closing any descriptor of a file lets go of all this process's locks on it, SQLite's own among them.
TEST_P(LockHolder, LeavesThisProcessesOwnLocksInPlace) {
    const int descriptor = open(LockedFile().c_str(), O_RDWR);
    ASSERT_GE(descriptor, 0);
    ASSERT_TRUE(Lock(descriptor, WriterByte(), 1, F_WRLCK));

    EXPECT_EQ(registry::DescribeLockHolder(database_), "(held by another process)");

    const pid_t parent = getpid();
    const pid_t checker = fork();
    if (checker == 0) {
        const int own = open(LockedFile().c_str(), O_RDONLY);
        struct flock probe {};
        probe.l_type = F_WRLCK;
        probe.l_whence = SEEK_SET;
        probe.l_start = WriterByte();
        probe.l_len = 1;
        const bool held =
            own >= 0 && fcntl(own, F_GETLK, &probe) == 0 && probe.l_type == F_WRLCK && probe.l_pid == parent;
        _exit(held ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(checker, &status, 0), checker);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the lock was let go";
    close(descriptor);
}

INSTANTIATE_TEST_SUITE_P(Journal, LockHolder, ::testing::Values(true, false),
                         [](const auto& info) { return std::string(info.param ? "WriteAhead" : "Rollback"); });

}  // namespace
