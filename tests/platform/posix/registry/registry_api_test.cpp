// The Win32 registry functions: return codes, handles, names and data as Windows behaves.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/api.h"
#include "platform/registry_error_text.h"
#include "tests/platform/posix/registry/registry_api_fixture.h"

namespace {

TEST_F(RegistryApi, CreatesAndOpensKeysAlongPaths) {
    DWORD disposition = 0;
    HKEY deep = Create(HKEY_CURRENT_USER, "Software\\Alarm\\Clock", &disposition);
    // Every missing key on the path is created and reported as new.
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    HKEY middle = nullptr;
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "Software\\Alarm", &middle), ERROR_SUCCESS);
    // Creating it again opens it.
    RegCloseKey(Create(HKEY_CURRENT_USER, "Software\\Alarm\\Clock", &disposition));
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    // A path relative to an open key reaches the same key.
    HKEY relative = nullptr;
    ASSERT_EQ(Open(middle, "Clock", &relative), ERROR_SUCCESS);
    ASSERT_EQ(SetText(relative, "v", "x"), ERROR_SUCCESS);
    EXPECT_EQ(Read(deep, "v"), std::string("x", 2));
    // Null, empty and trailing-backslash paths mean the key itself.
    HKEY same = nullptr;
    ASSERT_EQ(Open(deep, nullptr, &same), ERROR_SUCCESS);
    EXPECT_EQ(Read(same, "v"), std::string("x", 2));
    RegCloseKey(same);
    ASSERT_EQ(Open(HKEY_CURRENT_USER, "Software\\Alarm\\", &same), ERROR_SUCCESS);
    EXPECT_EQ(SubkeyAt(same, 0), "Clock");
    RegCloseKey(same);
    // A missing key is not found, and opening never creates it.
    HKEY missing = nullptr;
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "Software\\Nope", &missing), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "Software\\Nope", &missing), ERROR_FILE_NOT_FOUND);
    // Empty names inside a path, a missing result pointer and unsupported options are refused.
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "Software\\\\Alarm", &missing), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "\\Software", &missing), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Open(HKEY_CURRENT_USER, std::string(256, 'k').c_str(), &missing), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, "V", 0, nullptr, 1, KEY_ALL_ACCESS, nullptr, &missing, nullptr),
        ERROR_INVALID_PARAMETER);
    // A key may be 512 levels below its root, counted from the root for a path below an open key too.
    std::string levels = "L";
    for (int level = 2; level <= 512; ++level) levels += "\\L";
    HKEY deepest = Create(HKEY_CURRENT_USER, levels.c_str());
    EXPECT_EQ(RegCreateKeyExA(deepest, "L", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &missing, nullptr),
              ERROR_INVALID_PARAMETER);
    RegCloseKey(deepest);
    // The two roots are separate trees.
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Alarm", &missing), ERROR_FILE_NOT_FOUND);
    RegCloseKey(Create(HKEY_LOCAL_MACHINE, "Software\\Alarm"));
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Alarm", &missing), ERROR_SUCCESS);
    RegCloseKey(missing);
    RegCloseKey(relative);
    RegCloseKey(middle);
    RegCloseKey(deep);
}

TEST_F(RegistryApi, HandlesAreCheckedOnEveryUse) {
    HKEY key = Create(HKEY_CURRENT_USER, "Handles");
    ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    // A closed handle is invalid for every call, including a second close.
    EXPECT_EQ(SetText(key, "v", "x"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(Read(key, "v"), "error 6");
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    // Handles never issued, and roots we do not keep, are invalid.
    HKEY other = nullptr;
    EXPECT_EQ(Open(reinterpret_cast<HKEY>(0x12345), "x", &other), ERROR_INVALID_HANDLE);
    EXPECT_EQ(Open(HKEY_USERS, "x", &other), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
    // Closing a root is harmless and the root stays usable.
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "Handles", &other), ERROR_SUCCESS);
    // A handle whose key was deleted through another handle reports the deletion.
    ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, "Handles"), ERROR_SUCCESS);
    EXPECT_EQ(SetText(other, "v", "x"), ERROR_KEY_DELETED);
    EXPECT_EQ(Read(other, "v"), "error 1018");
    EXPECT_EQ(SubkeyAt(other, 0), "error 1018");
    // Recreating the key does not revive the old handle, and closing the stale handle still works.
    RegCloseKey(Create(HKEY_CURRENT_USER, "Handles"));
    EXPECT_EQ(ValueNameAt(other, 0), "error 1018");
    EXPECT_EQ(RegCloseKey(other), ERROR_SUCCESS);
}

TEST_F(RegistryApi, ValuesKeepTypeAndExactBytes) {
    HKEY key = Create(HKEY_CURRENT_USER, "Values");
    DWORD type = 0;
    // Text written with two NULs comes back with both.
    ASSERT_EQ(RegSetValueExA(key, "flag", 0, REG_SZ, reinterpret_cast<const BYTE*>("true\0"), 6),
              ERROR_SUCCESS);
    EXPECT_EQ(Read(key, "flag", &type), std::string("true\0\0", 6));
    EXPECT_EQ(type, REG_SZ);
    // Binary data with zero bytes and high bytes is kept as is.
    const BYTE binary[] = {0x00, 0xff, 0x00, 0x80, 0x7f};
    ASSERT_EQ(RegSetValueExA(key, "bin", 0, REG_BINARY, binary, sizeof binary), ERROR_SUCCESS);
    EXPECT_EQ(Read(key, "bin", &type), std::string("\x00\xff\x00\x80\x7f", 5));
    EXPECT_EQ(type, REG_BINARY);
    // A zero-length value exists and is empty, and a null buffer with a non-zero size is refused.
    ASSERT_EQ(RegSetValueExA(key, "empty", 0, REG_NONE, nullptr, 0), ERROR_SUCCESS);
    EXPECT_EQ(Read(key, "empty", &type), "");
    EXPECT_EQ(type, REG_NONE);
    EXPECT_EQ(RegSetValueExA(key, "bad", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);
    // Overwriting replaces both type and data.
    DWORD number = 0x01020304;
    ASSERT_EQ(RegSetValueExA(key, "flag", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4),
              ERROR_SUCCESS);
    EXPECT_EQ(Read(key, "flag", &type), std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(type, REG_DWORD);
    // Null and empty names are the same default value.
    ASSERT_EQ(SetText(key, nullptr, "default"), ERROR_SUCCESS);
    EXPECT_EQ(Read(key, ""), std::string("default", 8));
    EXPECT_EQ(ValueNameAt(key, 3), "");
    // A large value survives whole.
    std::string large(200000, 'z');
    ASSERT_EQ(SetText(key, "large", large), ERROR_SUCCESS);
    EXPECT_EQ(Read(key, "large"), large + '\0');
    RegCloseKey(key);
}

TEST_F(RegistryApi, QueryFollowsTheSizeProtocol) {
    HKEY key = Create(HKEY_CURRENT_USER, "Sizes");
    ASSERT_EQ(SetText(key, "v", "hello"), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 0;
    // No buffer: success with the size and type.
    EXPECT_EQ(RegQueryValueExA(key, "v", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(type, REG_SZ);
    // A short buffer: more data, the size needed, nothing written.
    char buffer[8] = "#######";
    size = 3;
    EXPECT_EQ(RegQueryValueExA(key, "v", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 6u);
    EXPECT_STREQ(buffer, "#######");
    // An exact buffer: the data and its size.
    size = 6;
    EXPECT_EQ(RegQueryValueExA(key, "v", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "hello");
    // A buffer without a size, or a reserved pointer, is refused.
    EXPECT_EQ(RegQueryValueExA(key, "v", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExA(key, "v", &size, nullptr, nullptr, nullptr), ERROR_INVALID_PARAMETER);
    // Missing values are not found, whether never set or deleted.
    EXPECT_EQ(RegQueryValueExA(key, "none", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteValueA(key, "v"), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(key, "v", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteValueA(key, "v"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_F(RegistryApi, NamesIgnoreAsciiCaseAndKeepTheirOwn) {
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\MixedCase");
    // The same key under another case is opened, not created.
    DWORD disposition = 0;
    HKEY again = Create(HKEY_CURRENT_USER, "SOFTWARE\\mixedcase", &disposition);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    HKEY software = nullptr;
    ASSERT_EQ(Open(HKEY_CURRENT_USER, "software", &software), ERROR_SUCCESS);
    EXPECT_EQ(SubkeyAt(software, 0), "MixedCase");
    EXPECT_EQ(SubkeyAt(software, 1), "error 259");
    // A value set under one case is read and replaced under another, keeping its first name.
    ASSERT_EQ(SetText(key, "Volume", "1"), ERROR_SUCCESS);
    ASSERT_EQ(SetText(again, "VOLUME", "2"), ERROR_SUCCESS);
    EXPECT_EQ(Read(key, "volume"), std::string("2", 2));
    EXPECT_EQ(ValueNameAt(key, 0), "Volume");
    EXPECT_EQ(ValueNameAt(key, 1), "error 259");
    // Bytes outside ASCII are compared exactly.
    ASSERT_EQ(SetText(key, "\xc3\xa9t\xc3\xa9", "summer"), ERROR_SUCCESS);
    EXPECT_EQ(Read(key, "\xc3\x89T\xc3\x89"), "error 2");
    EXPECT_EQ(Read(key, "\xc3\xa9T\xc3\xa9"), std::string("summer", 7));
    RegCloseKey(software);
    RegCloseKey(again);
    RegCloseKey(key);
}

TEST_F(RegistryApi, EnumerationListsEverythingOnce) {
    HKEY key = Create(HKEY_CURRENT_USER, "Enum");
    for (const char* name : {"zeta", "Alpha", "mid"}) RegCloseKey(Create(key, name));
    for (const char* name : {"second", "First", "third"}) ASSERT_EQ(SetText(key, name, name), ERROR_SUCCESS);
    // Subkeys come in name order regardless of case, then no more items.
    EXPECT_EQ(SubkeyAt(key, 0), "Alpha");
    EXPECT_EQ(SubkeyAt(key, 1), "mid");
    EXPECT_EQ(SubkeyAt(key, 2), "zeta");
    EXPECT_EQ(SubkeyAt(key, 3), "error 259");
    // Values come in the order they were set.
    EXPECT_EQ(ValueNameAt(key, 0), "second");
    EXPECT_EQ(ValueNameAt(key, 2), "third");
    EXPECT_EQ(ValueNameAt(key, 3), "error 259");
    // A short name buffer asks for the length including the terminator.
    char name[4];
    DWORD nameSize = sizeof name;
    EXPECT_EQ(RegEnumValueA(key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    EXPECT_EQ(nameSize, 7u);
    nameSize = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    EXPECT_EQ(nameSize, 6u);
    // Enumerated data follows the same size protocol as a query.
    char data[16];
    DWORD dataSize = 2;
    DWORD type = 0;
    char longName[16];
    nameSize = sizeof longName;
    EXPECT_EQ(
        RegEnumValueA(key, 1, longName, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataSize),
        ERROR_MORE_DATA);
    EXPECT_EQ(dataSize, 6u);
    nameSize = sizeof longName;
    EXPECT_EQ(
        RegEnumValueA(key, 1, longName, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataSize),
        ERROR_SUCCESS);
    EXPECT_STREQ(data, "First");
    EXPECT_EQ(type, REG_SZ);
    RegCloseKey(key);
}

TEST_F(RegistryApi, EnumerationSeesChangesMadeBetweenItsCalls) {
    HKEY key = Create(HKEY_CURRENT_USER, "Changing");
    for (const char* name : {"a", "b", "c"}) ASSERT_EQ(SetText(key, name, "x"), ERROR_SUCCESS);
    RegCloseKey(Create(key, "y"));
    RegCloseKey(Create(key, "z"));
    EXPECT_EQ(ValueNameAt(key, 0), "a");
    EXPECT_EQ(SubkeyAt(key, 0), "y");
    ASSERT_EQ(RegDeleteValueA(key, "a"), ERROR_SUCCESS);
    RegCloseKey(Create(key, "x"));
    EXPECT_EQ(ValueNameAt(key, 0), "b");
    EXPECT_EQ(SubkeyAt(key, 0), "x");
    ASSERT_EQ(SetText(key, "d", "x"), ERROR_SUCCESS);
    EXPECT_EQ(ValueNameAt(key, 2), "d");
    EXPECT_EQ(ValueNameAt(key, 3), "error 259");
    EXPECT_EQ(SubkeyAt(key, 3), "error 259");
    // Another key's enumeration in between does not disturb this one's.
    HKEY other = Create(HKEY_CURRENT_USER, "Other");
    ASSERT_EQ(SetText(other, "only", "x"), ERROR_SUCCESS);
    EXPECT_EQ(ValueNameAt(other, 0), "only");
    EXPECT_EQ(ValueNameAt(key, 1), "c");
    RegCloseKey(other);
    RegCloseKey(key);
}

// A file removed or replaced while it is open is opened anew at its path: a write lands where the next start
// reads it, or fails and says why where nothing can be written there; none goes into a file that is gone.
TEST_F(RegistryApi, AFileRemovedOrReplacedWhileOpenIsOpenedAnewAtItsPath) {
    HKEY key = Create(HKEY_CURRENT_USER, "Kept");
    ASSERT_EQ(SetText(key, "before", "1"), ERROR_SUCCESS);
    std::filesystem::remove(prefix_.database());
    EXPECT_EQ(SetText(key, "lost", "1"), ERROR_INVALID_HANDLE);  // a key of the file that is gone
    RegCloseKey(key);
    key = Create(HKEY_CURRENT_USER, "Kept");
    ASSERT_EQ(SetText(key, "after", "2"), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(ValuesSeenByAnother("Kept"), Names{"after"});
    std::filesystem::rename(prefix_.database(), prefix_.database().string() + ".old");
    std::filesystem::create_directory(prefix_.database());
    HKEY none = nullptr;
    const LSTATUS refused = RegCreateKeyExA(HKEY_CURRENT_USER, "Kept", 0, nullptr, REG_OPTION_NON_VOLATILE,
                                            KEY_ALL_ACCESS, nullptr, &none, nullptr);
    EXPECT_NE(refused, ERROR_SUCCESS);
    EXPECT_NE(RegistryErrorText(refused).find("registry.db"), std::string::npos) << RegistryErrorText(refused);
}

TEST_F(RegistryApi, DeletionRemovesWholeTrees) {
    HKEY key = Create(HKEY_CURRENT_USER, "Del\\Branch\\Leaf");
    ASSERT_EQ(SetText(key, "v", "leaf"), ERROR_SUCCESS);
    RegCloseKey(key);
    HKEY del = Create(HKEY_CURRENT_USER, "Del");
    ASSERT_EQ(SetText(del, "kept", "no"), ERROR_SUCCESS);
    // A key with subkeys, a root and a missing key cannot be deleted singly; a null path is refused.
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Del\\Branch"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Del\\Nope"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, nullptr), ERROR_INVALID_PARAMETER);
    // A leaf can, and recreating it gives an empty key.
    EXPECT_EQ(RegDeleteKeyA(del, "Branch\\Leaf"), ERROR_SUCCESS);
    key = Create(HKEY_CURRENT_USER, "Del\\Branch\\Leaf");
    EXPECT_EQ(Read(key, "v"), "error 2");
    RegCloseKey(key);
    // Deleting the contents of a key keeps the key but drops its values and subkeys.
    EXPECT_EQ(RegDeleteTreeA(del, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(Read(del, "kept"), "error 2");
    EXPECT_EQ(SubkeyAt(del, 0), "error 259");
    EXPECT_EQ(SetText(del, "again", "yes"), ERROR_SUCCESS);
    // Deleting a named tree removes it; a missing tree is not found.
    EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, "Del"), ERROR_SUCCESS);
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "Del", &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, "Del"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(del);
}

TEST_F(RegistryApi, ConcurrentThreadsShareTheHandleTable) {
    constexpr int kThreads = 4;
    constexpr int kRounds = 100;
    std::vector<std::thread> threads;
    std::vector<int> failures(kThreads, 0);
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kRounds; ++i) {
                std::string path = "Threads\\T" + std::to_string(t);
                HKEY key = nullptr;
                std::string name = std::to_string(i);
                if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                    &key, nullptr) != ERROR_SUCCESS ||
                    SetText(key, name.c_str(), name) != ERROR_SUCCESS || RegCloseKey(key) != ERROR_SUCCESS) {
                    ++failures[t];
                }
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(failures[t], 0);
        HKEY key = nullptr;
        ASSERT_EQ(Open(HKEY_CURRENT_USER, ("Threads\\T" + std::to_string(t)).c_str(), &key), ERROR_SUCCESS);
        EXPECT_EQ(ValueNameAt(key, kRounds - 1), std::to_string(kRounds - 1));
        EXPECT_EQ(ValueNameAt(key, kRounds), "error 259");
        RegCloseKey(key);
    }
}

}  // namespace
