// The registry while another process holds or takes its file's write lock: reads go on, writes wait, in the
// waiting thread's own way, and a write that waits too long names the holder.
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "platform/api.h"
#include "platform/posix/registry/lock_waiting.h"
#include "platform/posix/registry/registry_error.h"
#include "platform/posix/registry/sqlite_transaction.h"
#include "platform/registry_error_text.h"
#include "tests/platform/posix/registry/registry_file_checks.h"
#include "tests/support/registry_write_lock.h"
#include "tests/support/subprocess.h"
#include "tests/support/temporary_prefix.h"

namespace {

TEST(RegistryBesideAWriter, ReadingAndOpeningKeysGoOnWhileAnotherProcessWrites) {
    TemporaryPrefix prefix;
    ASSERT_EQ(RunProcess(Writer("Software\\Alarm", "armed", 3)).exitCode, 0);
    // This process opens the file for the first time while the lock is held, as a program starting then
    // does, and loads its settings as the program does: each key opened with "create if missing".
    RegistryWriteLock lock(prefix.database());
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Alarm", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(QueryText("Software\\Alarm", "armed2"), std::string("Software\\Alarm:2", 17));
    EXPECT_EQ(ValueCount("Software\\Alarm"), 3u);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key), ERROR_SUCCESS);
    char name[16];
    DWORD size = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST(RegistryBesideAWriter, EnumerationSeesAnotherProcessesChangesBetweenItsCalls) {
    TemporaryPrefix prefix;
    ASSERT_EQ(RunProcess(Writer("Listed", "a", 2)).exitCode, 0);
    EXPECT_EQ(ValueCount("Listed"), 2u);
    ASSERT_EQ(RunProcess(Writer("Listed", "b", 3)).exitCode, 0);
    EXPECT_EQ(ValueCount("Listed"), 5u);
}

TEST(RegistryBesideAWriter, AWriteThatWaitsTooLongNamesTheProcessHoldingTheFile) {
    TemporaryDirectory directory;
    const std::filesystem::path file = directory.path() / "held.db";
    Execute(file, "PRAGMA journal_mode = WAL; CREATE TABLE t (x INTEGER)");
    for (const char* journal : {"WAL", "DELETE"}) {
        Execute(file, (std::string("PRAGMA journal_mode = ") + journal).c_str());
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t holder = fork();
        if (holder == 0) {
            sqlite3* database = nullptr;
            sqlite3_open(file.c_str(), &database);
            const bool locked =
                sqlite3_exec(database, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
            if (write(ready[1], locked ? "y" : "n", 1) != 1) _exit(1);
            pause();
            _exit(0);
        }
        close(ready[1]);
        char locked = 'n';
        ASSERT_EQ(read(ready[0], &locked, 1), 1);
        close(ready[0]);
        ASSERT_EQ(locked, 'y') << journal;
        std::string message;
        try {
            registry::SqliteConnection connection(file, std::chrono::milliseconds(200));
            registry::SqliteTransaction transaction(connection, registry::SqliteTransaction::Lock::Immediate);
        } catch (const registry::RegistryError& error) {
            message = error.what();
        }
        kill(holder, SIGKILL);
        waitpid(holder, nullptr, 0);
        EXPECT_NE(message.find("database is locked (held by process " + std::to_string(holder) + ", "),
                  std::string::npos)
            << journal << ": " << message;
    }
}

// A thread's own way of waiting for the lock, as a program's interface thread has: a clock of its own
// that nothing but the pauses moves, and something the test does in each pause.
class ScriptedLockWaiting final : public registry::LockWaiting {
  public:
    explicit ScriptedLockWaiting(std::function<void()> inPause) : inPause_(std::move(inPause)) {
        registry::SetLockWaiting(this);
    }
    ~ScriptedLockWaiting() override { registry::SetLockWaiting(nullptr); }
    ScriptedLockWaiting(const ScriptedLockWaiting&) = delete;
    ScriptedLockWaiting& operator=(const ScriptedLockWaiting&) = delete;

    int pauses = 0;

    std::chrono::steady_clock::time_point Now() override { return now_; }
    void Pause(std::chrono::milliseconds step) override {
        ++pauses;
        now_ += step;
        inPause_();
    }

  private:
    std::function<void()> inPause_;
    std::chrono::steady_clock::time_point now_;
};

LSTATUS SetText(const char* path, const char* name, const std::string& text) {
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) return status;
    status = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    return status;
}

TEST(RegistryBesideAWriter, AWriteWaitsInTheThreadsOwnWayWhereACallOfItsOwnIsRefused) {
    TemporaryPrefix prefix;
    ASSERT_EQ(SetText("Waited", "before", "kept"), ERROR_SUCCESS);
    std::optional<RegistryWriteLock> lock(std::in_place, prefix.database());
    LSTATUS inPause = ERROR_SUCCESS;
    std::optional<ScriptedLockWaiting> waiting(std::in_place, [&] {
        if (waiting->pauses < 3) return;
        // A handler run in the pause writes: that would run inside the waiting write.
        inPause = SetText("Waited", "inside", "refused");
        lock.reset();
    });
    EXPECT_EQ(SetText("Waited", "after", "written"), ERROR_SUCCESS);
    EXPECT_EQ(waiting->pauses, 3);
    EXPECT_EQ(inPause, ERROR_INVALID_FUNCTION);
    EXPECT_EQ(QueryText("Waited", "after"), std::string("written", 8));
    EXPECT_EQ(ValueCount("Waited"), 2u);

    // Never let go: the wait ends when its own clock has passed the limit, 10 s in steps of 1 ms,
    // however little time went by meanwhile, with the same failure as a wait that slept.
    lock.emplace(prefix.database());
    waiting.emplace([] {});
    EXPECT_EQ(SetText("Waited", "after", "not written"), ERROR_REGISTRY_IO_FAILED);
    EXPECT_EQ(waiting->pauses, 10000);
    EXPECT_NE(RegistryErrorText(ERROR_REGISTRY_IO_FAILED).find("registry.db: database is locked (held by "),
              std::string::npos)
        << RegistryErrorText(ERROR_REGISTRY_IO_FAILED);
    lock.reset();
    EXPECT_EQ(QueryText("Waited", "after"), std::string("written", 8));
}

}  // namespace
