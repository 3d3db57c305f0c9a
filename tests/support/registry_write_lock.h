// Another program holding the registry file's write lock (the sqlite3 shell in a transaction, say), as a
// connection of this process; its lock is given back when it goes.
#pragma once

#include <filesystem>

struct sqlite3;

class RegistryWriteLock {
  public:
    explicit RegistryWriteLock(const std::filesystem::path& file);
    ~RegistryWriteLock();
    RegistryWriteLock(const RegistryWriteLock&) = delete;
    RegistryWriteLock& operator=(const RegistryWriteLock&) = delete;

  private:
    sqlite3* holder_ = nullptr;
};
