// Registry files that are not what they seem: garbage, truncated, newer or another program's, or no file at
// all; each reported, and left as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "platform/api.h"
#include "platform/registry_error_text.h"
#include "tests/platform/posix/registry/registry_file_checks.h"
#include "tests/support/subprocess.h"
#include "tests/support/temporary_prefix.h"

namespace {

std::string FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
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
