// alarmclock-reg's .reg files: export and import keep every byte, an import is all or nothing, and files
// written by Windows read as Windows reads them.
#include <sqlite3.h>

#include "tests/tools/reg/reg_tool_fixture.h"

namespace {

using RegFile = RegTool;

void Set(HKEY key, const char* name, DWORD type, const std::string& data) {
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                             static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
}

TEST_F(RegFile, ExportThenImportRestoresExactBytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Export\\Tricky", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    Set(key, "Quote \"it\" \\ here", REG_SZ, std::string("C:\\dir\\ \"q\"\0", 12));
    Set(key, "Caf\xc3\xa9", REG_SZ, std::string("\xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x98\x80\0", 12));
    Set(key, "", REG_SZ, std::string("\0", 1));
    Set(key, "flag", REG_SZ, std::string("true\0\0", 6));
    Set(key, "lines", REG_SZ, std::string("a\r\nb\0", 5));
    Set(key, "count", REG_DWORD, std::string("\x78\x56\x34\x12", 4));
    Set(key, "raw", REG_BINARY, std::string("\x00\xff\x10", 3) + std::string(40, '\x7f'));
    Set(key, "days", REG_MULTI_SZ, std::string("Mon\0T\xc3\xbc\0\0", 9));
    Set(key, "path", REG_EXPAND_SZ, std::string("%HOME%\\x\0", 9));
    Set(key, "big", REG_QWORD, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8));
    Set(key, "odd", 0x1234, std::string("\x01", 1));
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Export\\Tricky\\Empty", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    auto before = Contents("Export\\Tricky");
    ASSERT_EQ(before.size(), 11u);

    Ok({"export", "HKCU\\Export", File("out.reg").string()});
    std::ifstream in(File("out.reg"), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    // Plain strings stay readable; strings with extra NULs or line breaks go as hex so nothing is lost.
    EXPECT_NE(text.find("\"Quote \\\"it\\\" \\\\ here\"=\"C:\\\\dir\\\\ \\\"q\\\"\"\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("\"flag\"=hex(1):74,72,75,65,00,00\n"), std::string::npos) << text;
    EXPECT_NE(text.find("@=\"\"\n"), std::string::npos) << text;
    // Exporting over an existing file asks first.
    Fails({"export", "HKCU\\Export", File("out.reg").string()});
    Ok({"export", "HKCU\\Export", File("out.reg").string(), "/y"});

    TemporaryPrefix fresh;
    Ok({"import", File("out.reg").string()});
    EXPECT_EQ(Contents("Export\\Tricky"), before);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Export\\Tricky\\Empty", 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST_F(RegFile, NamesWithControlCharactersComeBackAsOneName) {
    std::string controls;
    for (char c = 1; c < ' '; ++c) controls.push_back(c);
    controls.push_back('\x7f');
    HKEY parent = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Controls", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &parent,
                              nullptr),
              ERROR_SUCCESS);
    std::vector<std::string> keys;
    for (char c : controls) {
        const std::string key = std::string("key") + c + "end";
        HKEY handle = nullptr;
        const LSTATUS created =
            RegCreateKeyExA(parent, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
        const std::string value = std::string("value") + c + "end";
        const std::string data = std::string("data") + c + "end" + '\0';
        // A line break in a name would end its line in a .reg file: such names are refused.
        if (c == '\r' || c == '\n') {
            EXPECT_EQ(created, ERROR_INVALID_PARAMETER) << int{c};
            EXPECT_EQ(
                RegSetValueExA(parent, value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()),
                               static_cast<DWORD>(data.size())),
                ERROR_INVALID_PARAMETER)
                << int{c};
            continue;
        }
        ASSERT_EQ(created, ERROR_SUCCESS) << int{c};
        Set(handle, value.c_str(), REG_SZ, data);
        RegCloseKey(handle);
        keys.push_back(key);
    }
    RegCloseKey(parent);
    std::vector<std::vector<std::tuple<std::string, DWORD, std::string>>> before;
    for (const std::string& key : keys) before.push_back(Contents(("Controls\\" + key).c_str()));

    Ok({"export", "HKCU\\Controls", File("controls.reg").string()});
    TemporaryPrefix fresh;
    Ok({"import", File("controls.reg").string()});
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Controls", 0, KEY_READ, &parent), ERROR_SUCCESS);
    DWORD subkeys = 0;
    char name[64];
    for (DWORD size = sizeof name;
         RegEnumKeyExA(parent, subkeys, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         size = sizeof name) {
        ++subkeys;
    }
    RegCloseKey(parent);
    EXPECT_EQ(subkeys, keys.size());  // nothing more arrived than left
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(Contents(("Controls\\" + keys[i]).c_str()), before[i]) << int{keys[i][3]};
        EXPECT_EQ(before[i].size(), 1u);
    }
}

TEST_F(RegFile, ANameWithALineBreakStoredEarlierIsNotExported) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Old", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    // Put there behind the registry's back, as a version that accepted it would have.
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(prefix_.database().c_str(), &database), SQLITE_OK);
    const char* plant =
        "INSERT INTO keys (parent_id, name, name_folded) SELECT id, n, lower(n) FROM keys, "
        "(SELECT 'x]' || char(10) || '\"injected\"=\"gotcha\"' || char(10) || '[HKEY_CURRENT_USER\\Evil' AS n) "
        "WHERE name = 'Old'";
    EXPECT_EQ(sqlite3_exec(database, plant, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(database);
    sqlite3_close(database);
    EXPECT_NE(Fails({"export", "HKCU\\Old", File("old.reg").string()}).find("line break"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(File("old.reg")));
}

TEST_F(RegFile, ImportIsAllOrNothingAndNamesTheFailingLine) {
    struct Case {
        const char* what;
        std::string line5;
        const char* problem;
    };
    const Case cases[] = {
        {"key name too long", "[HKEY_CURRENT_USER\\Import\\" + std::string(256, 'k') + "]",
         "a key name is longer than 255 characters"},
        {"value name too long", "\"" + std::string(16384, 'v') + "\"=\"x\"",
         "a value name is longer than 16383 characters"},
        {"NUL in a value name", std::string("\"a\0b\"=\"x\"", 10), "the value name holds a NUL character"},
        {"NUL in a key name", std::string("[HKEY_CURRENT_USER\\a\0b]", 23),
         "the key name holds a NUL character"},
        {"line break in a value name", "\"a\rb\"=\"x\"", "a name cannot hold a line break"},
        {"key too deep", "[HKEY_CURRENT_USER\\Import" + Repeated("\\k", 512) + "]",
         "a key would be 513 levels deep; the registry allows 512"},
    };
    for (const Case& test : cases) {
        Write("partial.reg",
              "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Import]\n\"first\"=\"1\"\n" +
                  test.line5 + "\n[HKEY_CURRENT_USER\\After]\n");
        const std::string error = Fails({"import", File("partial.reg").string()});
        EXPECT_NE(error.find("partial.reg: line 5: "), std::string::npos) << test.what << ": " << error;
        EXPECT_NE(error.find(test.problem), std::string::npos) << test.what << ": " << error;
        EXPECT_EQ(Reg({"query", "HKCU\\Import"}).exitCode, 1) << test.what;  // nothing before it stayed
        EXPECT_EQ(Reg({"query", "HKCU\\a"}).exitCode, 1) << test.what;       // nor a name cut short
    }
}

TEST_F(RegFile, ImportReadsFilesFromWindows) {
    Ok({"add", "HKCU\\Old\\Gone", "/v", "x", "/d", "1"});
    Ok({"add", "HKCU\\Win", "/v", "stale", "/d", "1"});
    // The Windows tool writes UTF-16LE with a byte order mark; its string-type hex data is UTF-16 too.
    std::u16string text =
        u"\xfeffWindows Registry Editor Version 5.00\r\n\r\n"
        u"; a comment\r\n"
        u"[-HKEY_CURRENT_USER\\Old]\r\n\r\n"
        u"[HKEY_CURRENT_USER\\Win]\r\n"
        u"\"stale\"=-\r\n"
        u"\"name\"=\"\u00e9t\u00e9\"\r\n"
        u"\"multi\"=hex(7):61,00,00,00,\\\r\n"
        u"  e9,00,00,00,00,00\r\n"
        u"\"bytes\"=hex:01,\\\r\n"
        u"  02\r\n";
    std::string utf16;
    for (char16_t unit : text) {
        utf16.push_back(static_cast<char>(unit & 0xff));
        utf16.push_back(static_cast<char>(unit >> 8));
    }
    Write("windows.reg", utf16);
    Ok({"import", File("windows.reg").string()});
    // Keys and values marked with - are deleted; the rest arrive in UTF-8.
    Fails({"query", "HKCU\\Old"});
    auto values = Contents("Win");
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[0], std::make_tuple("name", REG_SZ, std::string("\xc3\xa9t\xc3\xa9\0", 6)));
    EXPECT_EQ(values[1], std::make_tuple("multi", REG_MULTI_SZ, std::string("a\0\xc3\xa9\0\0", 6)));
    EXPECT_EQ(values[2], std::make_tuple("bytes", REG_BINARY, std::string("\x01\x02", 2)));
    // UTF-8 with a byte order mark is read too.
    Write("bom.reg",
          "\xef\xbb\xbfWindows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Bom]\n@=dword:0000002a\n");
    Ok({"import", File("bom.reg").string()});
    EXPECT_EQ(Contents("Bom").at(0), std::make_tuple("", REG_DWORD, std::string("\x2a\0\0\0", 4)));
}

}  // namespace
