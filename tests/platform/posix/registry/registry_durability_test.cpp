// The database under abuse: writers killed mid-write, writers racing, and files that are not what they seem.
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/api.h"
#include "platform/posix/registry/lock_waiting.h"
#include "platform/posix/registry/registry_error.h"
#include "platform/posix/registry/sqlite_transaction.h"
#include "platform/registry_error_text.h"
#include "tests/support/registry_write_lock.h"
#include "tests/support/subprocess.h"
#include "tests/support/temporary_prefix.h"

namespace {

std::vector<std::string> Writer(const std::string& key, const std::string& tag, int count,
                                const std::string& mode = {}) {
    std::vector<std::string> argv{REGISTRY_WRITER_PATH, key, tag, std::to_string(count)};
    if (!mode.empty()) argv.push_back(mode);
    return argv;
}

std::vector<long> Acknowledged(const std::string& output) {
    std::vector<long> indices;
    std::istringstream lines(output);
    std::string line;
    // A write killed halfway through printing its line was not acknowledged.
    while (std::getline(lines, line) && !lines.eof()) indices.push_back(std::stol(line));
    return indices;
}

// One line including its newline, or what there was before end of file.
std::string ReadLine(int descriptor) {
    std::string line;
    char c;
    while (read(descriptor, &c, 1) == 1) {
        line.push_back(c);
        if (c == '\n') break;
    }
    return line;
}

std::string QueryText(const char* path, const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return "no key";
    char data[64] = {};
    DWORD size = sizeof data;
    LSTATUS status =
        RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::string(data, size) : "error " + std::to_string(status);
}

DWORD ValueCount(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    DWORD count = 0;
    char name[32];
    DWORD size = sizeof name;
    while (RegEnumValueA(key, count, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        ++count;
        size = sizeof name;
    }
    RegCloseKey(key);
    return count;
}

std::string IntegrityCheck(const std::filesystem::path& file) {
    sqlite3* database = nullptr;
    std::string result = "cannot open";
    if (sqlite3_open_v2(file.c_str(), &database, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(database, "PRAGMA integrity_check", -1, &statement, nullptr);
        if (sqlite3_step(statement) == SQLITE_ROW)
            result = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
    }
    sqlite3_close(database);
    return result;
}

std::string FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Execute(const std::filesystem::path& file, const char* sql) {
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &database), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(database, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(database);
}

TEST(RegistryDurability, KilledWritersLoseNoAcknowledgedWrite) {
    TemporaryPrefix prefix;
    constexpr int kWriters = 200;
    constexpr int kAtOnce = 8;
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> killAfterMicroseconds(0, 50000);
    std::vector<std::vector<long>> acknowledged(kWriters);
    struct Victim {
        int delay;
        int writer;
        PipedChild child;
    };
    for (int first = 0; first < kWriters; first += kAtOnce) {
        // Each writer of a batch dies at its own random moment within the batch's window; odd ones may die
        // while still opening the database, even ones only after their first acknowledged write.
        std::vector<Victim> batch;
        auto start = std::chrono::steady_clock::now();
        for (int w = first; w < first + kAtOnce; ++w) {
            batch.push_back({killAfterMicroseconds(random), w,
                             StartPiped(Writer("Crash\\W" + std::to_string(w), "v", 1000000))});
        }
        std::sort(batch.begin(), batch.end(),
                  [](const Victim& a, const Victim& b) { return a.delay < b.delay; });
        for (const Victim& victim : batch) {
            std::string firstLine = victim.writer % 2 == 0 ? ReadLine(victim.child.output) : "";
            std::this_thread::sleep_until(start + std::chrono::microseconds(victim.delay));
            kill(victim.child.pid, SIGKILL);
            acknowledged[victim.writer] = Acknowledged(firstLine + ReadToEnd(victim.child.output));
            EXPECT_EQ(WaitFor(victim.child.pid), -1)
                << "writer " << victim.writer << " finished instead of dying";
        }
    }
    EXPECT_EQ(IntegrityCheck(prefix.database()), "ok");
    std::size_t total = 0;
    for (int w = 0; w < kWriters; ++w) {
        std::string path = "Crash\\W" + std::to_string(w);
        for (long i : acknowledged[w]) {
            ASSERT_EQ(QueryText(path.c_str(), "v" + std::to_string(i)), path + ":" + std::to_string(i) + '\0');
        }
        total += acknowledged[w].size();
    }
    // At least the even writers' first writes got through, so the check means something.
    EXPECT_GE(total, static_cast<std::size_t>(kWriters / 2));
}

TEST(RegistryDurability, AWriterKilledInsideAUnitLeavesAllOfItOrNone) {
    TemporaryPrefix prefix;
    constexpr int kRuns = 50;
    constexpr int kWrites = 20;
    std::mt19937 random(20250114);
    std::uniform_int_distribution<int> killAfterMicroseconds(0, 3000);
    int kept = 0;
    int mixed = 0;
    for (int run = 0; run < kRuns; ++run) {
        const std::string key = "Unit\\W" + std::to_string(run);
        PipedChild child = StartPiped(Writer(key, "v", kWrites, "unit"));
        // Killed only once the unit holds a write, at a random moment of the rest.
        ASSERT_EQ(ReadLine(child.output), "0\n");
        std::this_thread::sleep_for(std::chrono::microseconds(killAfterMicroseconds(random)));
        kill(child.pid, SIGKILL);
        ReadToEnd(child.output);
        WaitFor(child.pid);
        const DWORD count = ValueCount(key.c_str());
        kept += count == kWrites;
        mixed += count != 0 && count != kWrites;
    }
    EXPECT_EQ(mixed, 0);
    EXPECT_EQ(IntegrityCheck(prefix.database()), "ok");
    ::testing::Test::RecordProperty("kept", kept);
    ::testing::Test::RecordProperty("undone", kRuns - kept - mixed);
}

TEST(RegistryDurability, AUnitNeverEndedIsUndoneAndSaidToBe) {
    TemporaryPrefix prefix;
    const ProcessResult result = RunProcess(Writer("Unended", "v", 3, "unended"));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("registry.db: the writes of a unit that was begun and never ended are undone"),
              std::string::npos)
        << result.err;
    EXPECT_EQ(ValueCount("Unended"), 0u);
}

TEST(RegistryDurability, ConcurrentWritersLoseNothing) {
    TemporaryPrefix prefix;
    PipedChild first = StartPiped(Writer("Shared", "a", 1000));
    PipedChild second = StartPiped(Writer("Shared", "b", 1000));
    EXPECT_EQ(Acknowledged(ReadToEnd(first.output)).size(), 1000u);
    EXPECT_EQ(Acknowledged(ReadToEnd(second.output)).size(), 1000u);
    EXPECT_EQ(WaitFor(first.pid), 0);
    EXPECT_EQ(WaitFor(second.pid), 0);
    EXPECT_EQ(ValueCount("Shared"), 2000u);
    EXPECT_EQ(QueryText("Shared", "a999"), std::string("Shared:999", 11));
    EXPECT_EQ(QueryText("Shared", "b0"), std::string("Shared:0", 9));
}

TEST(RegistryDurability, AFirstOpenWaitsWhileAnotherProcessCreatesTheFile) {
    TemporaryPrefix prefix;
    std::filesystem::create_directories(prefix.prefix());
    // Two programs starting at once on a new registry (the login helper and the clock): the other one
    // holds the new file for writing while this one would switch it to write-ahead logging, which SQLite
    // refuses at once instead of waiting. This one must wait, not fail.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(prefix.database().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread finish([other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(other);
    });
    HKEY key = nullptr;
    const LSTATUS status =
        RegCreateKeyExA(HKEY_CURRENT_USER, "Waited", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    finish.join();
    ASSERT_EQ(status, ERROR_SUCCESS) << RegistryErrorText(status);
    RegCloseKey(key);
    EXPECT_EQ(ValueCount("Waited"), 0u);
}

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

// A transaction on a scratch database, watched from a second connection that does not wait for locks.
class Transaction : public ::testing::Test {
  protected:
    using Lock = registry::SqliteTransaction::Lock;

    Transaction() {
        std::ofstream(file_, std::ios::binary).flush();
        connection_.emplace(file_);
        connection_->Execute("CREATE TABLE t (x INTEGER)");
        EXPECT_EQ(sqlite3_open(file_.c_str(), &other_), SQLITE_OK);
    }
    ~Transaction() override { sqlite3_close(other_); }

    // Whether the other connection could take the write lock now (it gives it back at once).
    bool OtherCanWrite() {
        if (sqlite3_exec(other_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) return false;
        sqlite3_exec(other_, "COMMIT", nullptr, nullptr, nullptr);
        return true;
    }
    std::int64_t Sum() { return connection_->QueryInteger("SELECT total(x) FROM t"); }
    void Insert(int value) { connection_->Execute("INSERT INTO t VALUES (" + std::to_string(value) + ")"); }
    // Inserts the value in a transaction of its own, which commits.
    void InsertAndCommit(Lock lock, int value) {
        registry::SqliteTransaction transaction(*connection_, lock);
        Insert(value);
        transaction.Commit();
    }
    // Inserts the value in a transaction of its own, which an exception leaves before it commits.
    void InsertAndFail(Lock lock, int value) {
        EXPECT_THROW(
            {
                registry::SqliteTransaction transaction(*connection_, lock);
                Insert(value);
                throw std::runtime_error("a failure halfway");
            },
            std::runtime_error);
    }

    TemporaryDirectory directory_;
    std::filesystem::path file_ = directory_.path() / "scratch.db";
    std::optional<registry::SqliteConnection> connection_;
    sqlite3* other_ = nullptr;
};

TEST_F(Transaction, KeepsWhatItCommitsAndRollsBackWhenAnErrorLeavesIt) {
    InsertAndCommit(Lock::Deferred, 1);
    InsertAndFail(Lock::Immediate, 2);
    EXPECT_EQ(Sum(), 1);
    EXPECT_NE(sqlite3_get_autocommit(connection_->handle()), 0);  // nothing left open
    EXPECT_TRUE(OtherCanWrite());                                 // nor locked
}

TEST_F(Transaction, OnlyAnImmediateOneHoldsTheWriteLockBeforeItWrites) {
    {
        registry::SqliteTransaction transaction(*connection_, Lock::Deferred);
        EXPECT_TRUE(OtherCanWrite());
    }
    {
        registry::SqliteTransaction transaction(*connection_, Lock::Immediate);
        EXPECT_FALSE(OtherCanWrite());
    }
    EXPECT_TRUE(OtherCanWrite());  // an uncommitted transaction gives the lock back as it ends
}

TEST_F(Transaction, OneInsideAnotherLastsOnlyIfTheOuterOneCommits) {
    {
        registry::SqliteTransaction outer(*connection_, Lock::Immediate);
        InsertAndCommit(Lock::Immediate, 1);
        InsertAndFail(Lock::Deferred, 10);
        EXPECT_EQ(Sum(), 1);
        outer.Commit();
    }
    EXPECT_EQ(Sum(), 1);
    {
        registry::SqliteTransaction outer(*connection_, Lock::Immediate);
        registry::SqliteTransaction inner(*connection_, Lock::Immediate);
        Insert(100);
        inner.Commit();
    }  // the outer one ends uncommitted
    EXPECT_EQ(Sum(), 1);
    EXPECT_TRUE(OtherCanWrite());
}

class BadDatabase : public ::testing::Test {
  protected:
    // The code of the first registry call and the text that goes with it.
    std::pair<LSTATUS, std::string> FirstCall() {
        HKEY key = nullptr;
        LSTATUS status = RegOpenKeyExA(HKEY_CURRENT_USER, "Any", 0, KEY_READ, &key);
        return {status, RegistryErrorText(status)};
    }

    void WriteFile(const std::string& bytes) {
        std::filesystem::create_directories(prefix_.prefix());
        std::ofstream(prefix_.database(), std::ios::binary) << bytes;
    }

    // Fills the database from another process, so this one opens it for the first time afterwards.
    void Populate() { ASSERT_EQ(RunProcess(Writer("Filled", "value-with-a-longer-name-", 400)).exitCode, 0); }

    TemporaryPrefix prefix_;
};

TEST_F(BadDatabase, GarbageIsReportedAndLeftAlone) {
    std::string garbage(8192, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 7 + 3);
    WriteFile(garbage);
    auto [status, text] = FirstCall();
    EXPECT_EQ(status, ERROR_BADDB);
    EXPECT_NE(text.find(prefix_.database().string() + ": file is not a database"), std::string::npos) << text;
    EXPECT_EQ(FileBytes(prefix_.database()), garbage);
    // Once the file is taken away, the registry starts afresh instead of staying broken.
    std::filesystem::remove(prefix_.database());
    EXPECT_EQ(FirstCall().first, ERROR_FILE_NOT_FOUND);
}

TEST_F(BadDatabase, TruncationIsReportedAndLeftAlone) {
    Populate();
    std::string whole = FileBytes(prefix_.database());
    ASSERT_GT(whole.size(), 4 * 4096u);
    std::string truncated = whole.substr(0, whole.size() / 2 + 100);
    WriteFile(truncated);
    auto [status, text] = FirstCall();
    EXPECT_EQ(status, ERROR_REGISTRY_CORRUPT);
    EXPECT_NE(text.find(prefix_.database().string() + ": "), std::string::npos) << text;
    EXPECT_EQ(FileBytes(prefix_.database()), truncated);
}

TEST_F(BadDatabase, ANewerSchemaIsRefused) {
    Populate();
    Execute(prefix_.database(), "PRAGMA user_version = 99");
    auto [status, text] = FirstCall();
    EXPECT_EQ(status, ERROR_BADDB);
    EXPECT_NE(text.find(prefix_.database().string() + ": registry schema version 99 is newer"),
              std::string::npos)
        << text;
}

TEST_F(BadDatabase, FilesThatAreNotOursAreRefusedUnchanged) {
    // Our tables with one thing missing or changed, under our schema version, as a hand-made or damaged
    // file would have them; and a database of some other program.
    const std::string ours =
        "PRAGMA user_version = 1;"
        "CREATE TABLE keys (id INTEGER PRIMARY KEY AUTOINCREMENT, parent_id INTEGER, "
        "name TEXT NOT NULL, name_folded TEXT NOT NULL, UNIQUE (parent_id, name_folded));";
    const std::string values =
        "CREATE TABLE key_values (key_id INTEGER NOT NULL, name TEXT NOT NULL, "
        "name_folded TEXT NOT NULL, type INTEGER NOT NULL, data BLOB NOT NULL";
    const std::string roots =
        "INSERT INTO keys VALUES (1, NULL, 'HKEY_CURRENT_USER', 'hkey_current_user'),"
        "(2, NULL, 'HKEY_LOCAL_MACHINE', 'hkey_local_machine');";
    struct Case {
        const char* what;
        std::string sql;
        const char* problem;
    };
    const Case cases[] = {
        {"another program's", "CREATE TABLE notes (text TEXT)",
         "it holds tables but no registry schema version"},
        {"values missing", ours + roots, "the table key_values is missing or not ours"},
        {"values not unique", ours + values + ");" + roots, "the table key_values is missing or not ours"},
        {"a column missing",
         ours + values.substr(0, values.rfind(',')) + ", UNIQUE (key_id, name_folded));" + roots,
         "the table key_values is missing or not ours"},
        {"keys missing", "PRAGMA user_version = 1;" + values + ", UNIQUE (key_id, name_folded));",
         "the table keys is missing or not ours"},
    };
    for (const Case& test : cases) {
        TemporaryPrefix prefix;
        std::filesystem::create_directories(prefix.prefix());
        Execute(prefix.database(), test.sql.c_str());
        const std::string before = FileBytes(prefix.database());
        HKEY key = nullptr;
        const LSTATUS status =
            RegCreateKeyExA(HKEY_CURRENT_USER, "Any", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        const std::string text = RegistryErrorText(status);
        EXPECT_EQ(status, ERROR_BADDB) << test.what << ": " << text;
        EXPECT_NE(
            text.find(prefix.database().string() + ": not a registry file of this program: " + test.problem),
            std::string::npos)
            << test.what << ": " << text;
        // Not a byte changed, not even the journal mode, and no log beside it.
        EXPECT_EQ(FileBytes(prefix.database()), before) << test.what;
        EXPECT_FALSE(std::filesystem::exists(prefix.database().string() + "-wal")) << test.what;
    }
}

TEST_F(BadDatabase, UnopenableFileIsReported) {
    // A directory where the file should be cannot be opened, whoever we run as.
    std::filesystem::create_directories(prefix_.database());
    auto [status, text] = FirstCall();
    EXPECT_EQ(status, ERROR_CANTOPEN);
    EXPECT_NE(text.find(prefix_.database().string()), std::string::npos) << text;
}

}  // namespace
