#include "platform/posix/registry/registry_store.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/posix/registry/registry_error.h"
#include "platform/posix/registry/registry_file.h"
#include "platform/posix/registry/registry_names.h"
#include "platform/posix/registry/registry_schema.h"
#include "platform/posix/registry/registry_trust.h"

namespace registry {

namespace {

const std::filesystem::path& Prepared(const std::filesystem::path& file) {
    // Nothing is read from a file that is not there yet, so a place others can write gets none.
    std::error_code ignored;
    if (std::filesystem::file_size(file, ignored) == 0 || ignored) RefuseIfOthersCanWrite(file);
    PrepareRegistryFile(file);
    return file;
}

// Missing, or a file without a byte: there is nothing to read. Anything else is opened, and what is not a
// file fails to open.
bool HoldsNothing(const std::filesystem::path& file) {
    struct stat status {};
    if (stat(file.c_str(), &status) != 0) return errno == ENOENT;
    return S_ISREG(status.st_mode) && status.st_size == 0;
}

bool HoldsData(const std::filesystem::path& file) {
    struct stat status {};
    return stat(file.c_str(), &status) == 0 && status.st_size > 0;
}

// A connection that reads without making anything beside the file, and so without room on the disk:
// SQLite's shared memory file is read as it is where there is one, and without a log to read the file
// itself is all there is. Only a log without shared memory (its owner gone, the memory file removed) needs
// the memory file made, as any reader would.
std::unique_ptr<SqliteConnection> ReadingConnection(const std::filesystem::path& file) {
    const std::string base = file.string();
    struct stat status {};
    if (stat((base + "-shm").c_str(), &status) == 0)
        return SqliteConnection::ForReading(file, "mode=ro&readonly_shm=1");
    if (!HoldsData(base + "-wal")) return SqliteConnection::ForReading(file, "immutable=1");
    return SqliteConnection::ForReading(file, "mode=ro");
}

template <typename Item>
Item Column(const SqliteStatement& row);
template <>
std::string Column(const SqliteStatement& row) {
    return row.Text(0);
}
template <>
std::int64_t Column(const SqliteStatement& row) {
    return row.Integer(0);
}

StoredValue ValueFrom(const SqliteStatement& row) {
    return {row.Text(0), static_cast<DWORD>(row.Integer(1)), row.Blob(2)};
}

}  // namespace

RegistryStore::RegistryStore(const std::filesystem::path& file) : file_(file) { OpenAsReadingNeeds(); }

void RegistryStore::OpenAsReadingNeeds() {
    if (HoldsNothing(file_)) {
        RefuseIfOthersCanWrite(file_);
        return Use(EmptyRegistry(), Access::Empty);
    }
    if (!OthersCanWrite(file_)) {
        try {
            return OpenForWriting();
        } catch (const RegistryError& error) {
            if (error.code() != ERROR_CANTWRITE) throw;
        }
    }
    OpenForReading();
}

void RegistryStore::OpenForReading() {
    std::unique_ptr<SqliteConnection> reading = ReadingConnection(file_);
    if (!CheckRegistrySchema(*reading)) return Use(EmptyRegistry(), Access::Empty);
    Use(std::move(reading), Access::Reading);
}

void RegistryStore::OpenForWriting() {
    // A reading connection would lend a new one of this process its read-only shared memory, and the new
    // one could then only read: it closes first, and comes back when writing cannot start.
    const bool wasReading = access_ == Access::Reading;
    EndHeldReads();
    connection_.reset();
    try {
        auto writing = std::make_unique<SqliteConnection>(Prepared(file_));
        EnsureRegistrySchema(*writing);
        Use(std::move(writing), Access::Writing);
    } catch (...) {
        try {
            if (wasReading) OpenForReading();
        } catch (const RegistryError&) {
            // The next read finds out again what is wrong with the file, and says so.
        }
        if (!connection_) Use(EmptyRegistry(), Access::Empty);
        throw;
    }
}

namespace {

std::optional<std::pair<dev_t, ino_t>> IdentityAt(const std::filesystem::path& file) {
    struct stat status {};
    if (stat(file.c_str(), &status) != 0) return std::nullopt;
    return std::pair{status.st_dev, status.st_ino};
}

}  // namespace

void RegistryStore::Use(std::unique_ptr<SqliteConnection> connection, Access access) {
    EndHeldReads();
    connection_ = std::move(connection);
    access_ = access;
    identity_ = access == Access::Empty ? std::nullopt : IdentityAt(file_);
    ForgetListings();
}

bool RegistryStore::FileReplaced() const { return identity_ && IdentityAt(file_) != identity_; }

void RegistryStore::Read(const std::function<void()>& body) {
    // Another process may have made the file since it was found missing.
    if (access_ == Access::Empty && !HoldsNothing(file_)) OpenAsReadingNeeds();
    if (!unit_ && !readsHeld_) return InTransaction(SqliteTransaction::Lock::Deferred, body);
    if (!unit_ && !heldReads_) heldReads_.emplace(*connection_, SqliteTransaction::Lock::Deferred);
    try {
        body();
    } catch (...) {
        // A failed read may have left its transaction unusable: the next read begins another.
        EndHeldReads();
        ForgetListings();
        throw;
    }
}

void RegistryStore::ReleaseReads() {
    readsHeld_ = false;
    EndHeldReads();
}

void RegistryStore::ReadyForWriting() {
    // Each time, not once at opening: the store lives as long as the program, and a mode may change meanwhile.
    RefuseIfOthersCanWrite(file());
    if (access_ != Access::Writing) OpenForWriting();
}

void RegistryStore::Write(const std::function<void()>& body) {
    // A unit was checked as it began: it holds the write lock until all of it commits at once. Held reads
    // end first: their snapshot could not take the write lock once another process has written.
    EndHeldReads();
    if (!unit_) ReadyForWriting();
    InTransaction(SqliteTransaction::Lock::Immediate, body);
}

void RegistryStore::BeginUnit() {
    EndHeldReads();
    ReadyForWriting();
    unit_.emplace(*connection_, SqliteTransaction::Lock::Immediate);
    unitFirstNewKey_ =
        connection_->QueryInteger("SELECT coalesce(max(seq), 0) + 1 FROM sqlite_sequence WHERE name = 'keys'");
}

void RegistryStore::EndUnit(bool keep) {
    try {
        if (keep) unit_->Commit();
    } catch (...) {
        unit_.reset();
        ForgetListings();
        throw;
    }
    unit_.reset();  // rolls back unless committed
    if (!keep) ForgetListings();
}

void RegistryStore::InTransaction(SqliteTransaction::Lock lock, const std::function<void()>& body) {
    SqliteTransaction transaction(*connection_, lock);
    try {
        body();
        transaction.Commit();
    } catch (...) {
        ForgetListings();
        throw;
    }
}

void RegistryStore::ForgetListings() {
    // Undone changes leave the generation as it was with them.
    subkeys_ = {};
    valueRows_ = {};
}

bool RegistryStore::KeyExists(std::int64_t key) {
    if (heldReads_ && keyFoundInHeldReads_ == key) return true;
    const bool found = SqliteStatement(*connection_, "SELECT 1 FROM keys WHERE id = ?").Bind(1, key).Step();
    if (found && heldReads_) keyFoundInHeldReads_ = key;
    return found;
}

std::optional<std::int64_t> RegistryStore::FindSubkey(std::int64_t parent, std::string_view name) {
    SqliteStatement row(*connection_, "SELECT id FROM keys WHERE parent_id = ? AND name_folded = ?");
    row.Bind(1, parent).Bind(2, FoldName(name));
    if (!row.Step()) return std::nullopt;
    return row.Integer(0);
}

std::int64_t RegistryStore::AddSubkey(std::int64_t parent, std::string_view name) {
    SqliteStatement(*connection_, "INSERT INTO keys (parent_id, name, name_folded) VALUES (?, ?, ?)")
        .Bind(1, parent)
        .Bind(2, name)
        .Bind(3, FoldName(name))
        .Step();
    return sqlite3_last_insert_rowid(connection_->handle());
}

std::int64_t RegistryStore::Depth(std::int64_t key) {
    SqliteStatement row(*connection_,
                        "WITH RECURSIVE up(id) AS (SELECT parent_id FROM keys WHERE id = ?"
                        " UNION ALL SELECT keys.parent_id FROM keys JOIN up ON keys.id = up.id)"
                        " SELECT count(id) FROM up");
    return row.Bind(1, key).Step() ? row.Integer(0) : 0;
}

RegistryStore::Generation RegistryStore::CurrentGeneration() {
    return {connection_->QueryInteger("PRAGMA data_version"), sqlite3_total_changes64(connection_->handle())};
}

template <typename Item>
const std::vector<Item>& RegistryStore::Listed(Listing<Item>& listing, std::int64_t key,
                                               std::string_view select) {
    const Generation now = CurrentGeneration();
    if (listing.key == key && listing.generation == now) return listing.items;
    listing = {key, now, {}};
    SqliteStatement row(*connection_, select);
    row.Bind(1, key);
    while (row.Step()) listing.items.push_back(Column<Item>(row));
    return listing.items;
}

std::optional<std::string> RegistryStore::SubkeyAt(std::int64_t parent, std::int64_t index) {
    const auto& names =
        Listed(subkeys_, parent, "SELECT name FROM keys WHERE parent_id = ? ORDER BY name_folded, id");
    if (index < 0 || static_cast<std::size_t>(index) >= names.size()) return std::nullopt;
    return names[index];
}

bool RegistryStore::HasSubkeys(std::int64_t key) {
    return SqliteStatement(*connection_, "SELECT 1 FROM keys WHERE parent_id = ? LIMIT 1").Bind(1, key).Step();
}

void RegistryStore::DeleteKeysFrom(std::string_view seedSelect, std::int64_t key) {
    // One statement removes the whole subtree, so the parent link is never left dangling; values follow by
    // cascade.
    std::string sql = "WITH RECURSIVE tree(id) AS (" + std::string(seedSelect) +
                      " UNION ALL SELECT keys.id FROM keys JOIN tree ON keys.parent_id = tree.id)"
                      " DELETE FROM keys WHERE id IN tree";
    SqliteStatement(*connection_, sql).Bind(1, key).Step();
}

void RegistryStore::DeleteKeyTree(std::int64_t key) { DeleteKeysFrom("SELECT ?1", key); }

void RegistryStore::ClearKey(std::int64_t key) {
    SqliteStatement(*connection_, "DELETE FROM key_values WHERE key_id = ?").Bind(1, key).Step();
    DeleteKeysFrom("SELECT id FROM keys WHERE parent_id = ?1", key);
}

std::optional<StoredValue> RegistryStore::FindValue(std::int64_t key, std::string_view name) {
    SqliteStatement row(*connection_,
                        "SELECT name, type, data FROM key_values WHERE key_id = ? AND name_folded = ?");
    row.Bind(1, key).Bind(2, FoldName(name));
    if (!row.Step()) return std::nullopt;
    return ValueFrom(row);
}

std::optional<StoredValue> RegistryStore::ValueAt(std::int64_t key, std::int64_t index) {
    const auto& rows = Listed(valueRows_, key, "SELECT rowid FROM key_values WHERE key_id = ? ORDER BY rowid");
    if (index < 0 || static_cast<std::size_t>(index) >= rows.size()) return std::nullopt;
    SqliteStatement row(*connection_, "SELECT name, type, data FROM key_values WHERE rowid = ?");
    row.Bind(1, rows[index]);
    if (!row.Step()) return std::nullopt;
    return ValueFrom(row);
}

void RegistryStore::SetValue(std::int64_t key, std::string_view name, DWORD type,
                             std::span<const std::uint8_t> data) {
    SqliteStatement(
        *connection_,
        "INSERT INTO key_values (key_id, name, name_folded, type, data) VALUES (?, ?, ?, ?, ?)"
        " ON CONFLICT (key_id, name_folded) DO UPDATE SET type = excluded.type, data = excluded.data")
        .Bind(1, key)
        .Bind(2, name)
        .Bind(3, FoldName(name))
        .Bind(4, static_cast<std::int64_t>(type))
        .BindBlob(5, data)
        .Step();
}

bool RegistryStore::DeleteValue(std::int64_t key, std::string_view name) {
    SqliteStatement(*connection_, "DELETE FROM key_values WHERE key_id = ? AND name_folded = ?")
        .Bind(1, key)
        .Bind(2, FoldName(name))
        .Step();
    return sqlite3_changes(connection_->handle()) > 0;
}

}  // namespace registry
