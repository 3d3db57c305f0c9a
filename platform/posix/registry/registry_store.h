// The registry's keys and values in the SQLite file, addressed by key id. Callers group calls into Read or
// Write transactions so that what they check and what they change belong to the same moment.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/api.h"
#include "platform/posix/registry/sqlite_connection.h"
#include "platform/posix/registry/sqlite_transaction.h"

namespace registry {

struct StoredValue {
    std::string name;
    DWORD type = REG_NONE;
    std::string data;
};

class RegistryStore {
  public:
    // Opens the file as far as reading needs, changing nothing: for writing when it is this user's alone,
    // for reading only when it cannot be written (no room on the disk, other users can write it), and as an
    // empty registry when it is missing or empty (the first write makes it). Throws RegistryError naming
    // the file when it is unusable, or when it is missing where other users could write (registry_trust.h).
    explicit RegistryStore(const std::filesystem::path& file);

    const std::filesystem::path& file() const { return file_; }
    // True when the file open here is no longer the one at its path (removed, or replaced by another file
    // or a folder) while this store was open: what is written here would be lost.
    bool FileReplaced() const;

    // Reads run beside another process's write: the file's write-ahead log keeps their view. Inside a unit
    // or a hold of reads they join its transaction: a read has nothing to undo.
    void Read(const std::function<void()>& body);
    // From now on, reads share one transaction, begun at the first of them and ended by the next write or
    // by ReleaseReads: a transaction costs more than most reads. Another process's write meanwhile waits
    // for nothing, and is seen after the hold.
    void HoldReads() { readsHeld_ = true; }
    void ReleaseReads();
    // Takes the write lock up front, so concurrent writers queue instead of failing halfway. Refused
    // (ERROR_ACCESS_DENIED) when other users can write the registry; opens the file for writing first
    // when it was opened for reading (and fails as that does: ERROR_CANTWRITE on a full disk).
    void Write(const std::function<void()>& body);

    // A unit of writes (BeginRegistryWrites): one transaction, begun with the write lock and refused as
    // Write is, that the Read and Write calls join as savepoints until EndUnit commits it or rolls it back.
    void BeginUnit();
    // Ends the unit on every path: a failing commit throws after the rollback.
    void EndUnit(bool keep);
    bool InUnit() const { return unit_.has_value(); }
    // The first key id that a key created in the open unit can have: after a rollback, later keys reuse it.
    std::int64_t UnitFirstNewKey() const { return unitFirstNewKey_; }

    bool KeyExists(std::int64_t key);
    std::optional<std::int64_t> FindSubkey(std::int64_t parent, std::string_view name);
    std::int64_t AddSubkey(std::int64_t parent, std::string_view name);
    // How many levels below its root the key is: 0 for a root.
    std::int64_t Depth(std::int64_t key);
    // Subkeys in name order. Enumerating one key index by index costs a lookup each.
    std::optional<std::string> SubkeyAt(std::int64_t parent, std::int64_t index);
    bool HasSubkeys(std::int64_t key);
    void DeleteKeyTree(std::int64_t key);
    // Removes the key's values and subkeys; the key itself stays.
    void ClearKey(std::int64_t key);

    std::optional<StoredValue> FindValue(std::int64_t key, std::string_view name);
    // Values in the order they were first set. Enumerating one key index by index costs a lookup each.
    std::optional<StoredValue> ValueAt(std::int64_t key, std::int64_t index);
    // Replacing a value keeps the case its name was created with.
    void SetValue(std::int64_t key, std::string_view name, DWORD type, std::span<const std::uint8_t> data);
    bool DeleteValue(std::int64_t key, std::string_view name);

  private:
    // Changes whenever the file does: with another connection's commit or with one of our changes.
    using Generation = std::pair<std::int64_t, std::int64_t>;
    // One key's subkeys or value rows in enumeration order, as of one generation of the file.
    template <typename Item>
    struct Listing {
        std::int64_t key = 0;
        Generation generation{-1, -1};
        std::vector<Item> items;
    };

    enum class Access { Empty, Reading, Writing };

    void OpenAsReadingNeeds();
    void OpenForReading();
    void OpenForWriting();
    // Refused as Write is; opens the file for writing when it is not yet.
    void ReadyForWriting();
    void Use(std::unique_ptr<SqliteConnection> connection, Access access);
    void InTransaction(SqliteTransaction::Lock lock, const std::function<void()>& body);
    // Ends the held reads' transaction, if one is open, before the connection closes or a write begins.
    void EndHeldReads() {
        heldReads_.reset();
        keyFoundInHeldReads_.reset();
    }
    // Lists read inside undone changes may show them: they are read again.
    void ForgetListings();
    void DeleteKeysFrom(std::string_view seedSelect, std::int64_t key);
    Generation CurrentGeneration();
    // The listing of `key`, read again unless it is that key's of this generation.
    template <typename Item>
    const std::vector<Item>& Listed(Listing<Item>& listing, std::int64_t key, std::string_view select);

    std::filesystem::path file_;
    std::unique_ptr<SqliteConnection> connection_;
    Access access_ = Access::Empty;
    // The open file's device and inode; none while there is no file.
    std::optional<std::pair<dev_t, ino_t>> identity_;
    // Enumeration asks for the items one index at a time; each key's list is read once, not once per index.
    Listing<std::string> subkeys_;
    Listing<std::int64_t> valueRows_;
    // After the connection, so that an open unit rolls back before the file closes.
    std::optional<SqliteTransaction> unit_;
    std::int64_t unitFirstNewKey_ = 0;
    bool readsHeld_ = false;
    std::optional<SqliteTransaction> heldReads_;
    // A key found in the held reads' transaction is there until it ends: each call of a hold asks again.
    std::optional<std::int64_t> keyFoundInHeldReads_;
};

}  // namespace registry
