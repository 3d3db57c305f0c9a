// The registry's SQLite transactions: what they keep, when they hold the write lock, and how they nest.
#include <sqlite3.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/posix/registry/sqlite_transaction.h"
#include "tests/support/temporary_prefix.h"

namespace {

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

}  // namespace
