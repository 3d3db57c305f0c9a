// A transaction on one connection that ends on every path: committed when asked, rolled back when it goes
// out of scope uncommitted (an error thrown through it), so no failure leaves the file locked. Begun inside
// another transaction it is a savepoint of it: its changes last only if the outer one commits.
#pragma once

#include "platform/posix/registry/sqlite_connection.h"

namespace registry {

class SqliteTransaction {
  public:
    enum class Lock {
        Deferred,   // BEGIN: locks are taken as the statements need them
        Immediate,  // BEGIN IMMEDIATE: the write lock up front, so that writers queue instead of failing
                    // halfway
    };

    // Begins, waiting through the connection's busy handler while another connection writes.
    SqliteTransaction(SqliteConnection& connection, Lock lock);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;

    // Throws RegistryError when the commit fails; the transaction is then rolled back on destruction.
    void Commit();

  private:
    SqliteConnection& connection_;
    bool nested_;
    bool committed_ = false;
};

}  // namespace registry
