// A thin owner of one SQLite connection and its statements. Every SQLite failure becomes a RegistryError
// whose detail names the database file.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace registry {

class SqliteConnection;

class SqliteStatement {
  public:
    SqliteStatement(SqliteConnection& connection, std::string_view sql);

    SqliteStatement& Bind(int index, std::int64_t value);
    SqliteStatement& Bind(int index, std::string_view text);
    SqliteStatement& BindBlob(int index, std::span<const std::uint8_t> bytes);

    // True while a row is available; false once the statement is done.
    bool Step();

    std::int64_t Integer(int column) const;
    std::string Text(int column) const;
    std::string Blob(int column) const;

  private:
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
    };
    SqliteConnection& connection_;
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
};

class SqliteConnection {
  public:
    // Opens an existing file for reading and writing; it never creates one. Its statements wait, bounded,
    // while another connection writes.
    explicit SqliteConnection(const std::filesystem::path& file);

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
    struct Closer {
        void operator()(sqlite3* database) const { sqlite3_close_v2(database); }
    };
    std::filesystem::path file_;
    std::unique_ptr<sqlite3, Closer> database_;
};

}  // namespace registry
