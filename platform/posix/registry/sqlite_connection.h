// A thin owner of one SQLite connection and its statements. Every SQLite failure becomes a RegistryError
// whose detail names the database file.
#pragma once

#include <sqlite3.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

namespace registry {

class SqliteConnection;

// A statement borrowed from its connection, which keeps it prepared for the next use of the same text.
class SqliteStatement {
  public:
    SqliteStatement(SqliteConnection& connection, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    SqliteStatement& Bind(int index, std::int64_t value);
    SqliteStatement& Bind(int index, std::string_view text);
    SqliteStatement& BindBlob(int index, std::span<const std::uint8_t> bytes);

    // True while a row is available; false once the statement is done.
    bool Step();

    std::int64_t Integer(int column) const;
    std::string Text(int column) const;
    std::string Blob(int column) const;

  private:
    SqliteConnection& connection_;
    bool* lent_ = nullptr;  // the connection's mark of a kept statement; none for a copy for the occasion
    sqlite3_stmt* statement_;
};

class SqliteConnection {
  public:
    // How long a statement waits for another connection's write lock before it fails.
    static constexpr std::chrono::milliseconds kLockWait{10000};

    // Opens an existing file for reading and writing; it never creates one. Its statements wait while
    // another connection writes, up to `lockWait`; then they fail with a text that names the process
    // holding the file.
    explicit SqliteConnection(const std::filesystem::path& file,
                              std::chrono::milliseconds lockWait = kLockWait);
    // Opens an existing file for reading only, with SQLite's URI parameters (such as "immutable=1").
    static std::unique_ptr<SqliteConnection> ForReading(const std::filesystem::path& file,
                                                        std::string_view parameters);
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    void Execute(std::string_view sql);
    // For the statements that SQLite refuses at once, without its busy handler, while another connection
    // holds the file (changing the journal mode): retried for as long as the busy handler would wait.
    void ExecuteWhenUnlocked(std::string_view sql);
    std::int64_t QueryInteger(std::string_view sql);
    std::string QueryText(std::string_view sql);

    // Throws the RegistryError matching `result` unless it is a success code.
    void Check(int result) const;
    [[noreturn]] void Fail(std::int32_t code, std::string_view problem) const;

    sqlite3* handle() const { return database_.get(); }
    const std::filesystem::path& file() const { return file_; }

  private:
    friend class SqliteStatement;
    SqliteConnection(const std::filesystem::path& file, const std::string& name, int flags,
                     std::chrono::milliseconds lockWait);
    struct Closer {
        void operator()(sqlite3* database) const { sqlite3_close_v2(database); }
    };
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
    };
    using Prepared = std::unique_ptr<sqlite3_stmt, Finalizer>;

    // Preparing costs more than most of our statements do to run: each text is prepared once and kept, and
    // lent out without copying its text. The same text in use twice at once (a statement inside another's
    // loop) lends a copy prepared for the occasion.
    struct Kept {
        Prepared statement;
        bool lent = false;
    };
    sqlite3_stmt* Borrow(std::string_view sql, bool*& lent);
    static void GiveBack(sqlite3_stmt* statement, bool* lent);
    // SQLite's busy handler: one-millisecond steps until the wait is over.
    static int WaitWhileBusy(void* connection, int attempts);

    std::filesystem::path file_;
    std::chrono::milliseconds lockWait_;
    std::chrono::steady_clock::time_point busySince_;
    std::unique_ptr<sqlite3, Closer> database_;
    // Looked up by the statement's text at every use: hashed once rather than compared along a tree.
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    // Declared after the database, so that the statements are finalized before it closes.
    std::unordered_map<std::string, Kept, TextHash, std::equal_to<>> kept_;
};

}  // namespace registry
