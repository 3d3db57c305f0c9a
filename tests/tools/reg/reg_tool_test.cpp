// alarmclock-reg run as a user would run it: output layout, prompts, exit codes and .reg files.
#include <fcntl.h>
#include <sched.h>
#include <sqlite3.h>
#include <sys/mount.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/api.h"
#include "tests/support/subprocess.h"
#include "tests/support/temporary_prefix.h"

namespace {

class RegTool : public ::testing::Test {
  protected:
    ProcessResult Reg(std::vector<std::string> arguments, const std::string& input = {}) {
        arguments.insert(arguments.begin(), ALARMCLOCK_REG_PATH);
        return RunProcess(arguments, input);
    }

    // Runs a command that must succeed, returning its output.
    std::string Ok(const std::vector<std::string>& arguments, const std::string& input = {}) {
        ProcessResult result = Reg(arguments, input);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err, "");
        return result.out;
    }

    // Runs a command that must fail with one error line, returning that line.
    std::string Fails(const std::vector<std::string>& arguments, const std::string& input = {}) {
        ProcessResult result = Reg(arguments, input);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err.rfind("ERROR: ", 0), 0u) << result.err;
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
        return result.err;
    }

    // The tool with a small stack, on which a walk that recursed through a deep tree would crash, and 256 MB
    // of memory (but under AddressSanitizer, which reserves far more address space for itself).
    ProcessResult RegOnSmallStack(const std::vector<std::string>& arguments) {
#ifdef __SANITIZE_ADDRESS__
        const std::string limits = "ulimit -s 256";
#else
        const std::string limits = "ulimit -s 256 && ulimit -v 262144";
#endif
        std::vector<std::string> argv{"/bin/sh", "-c", limits + " && exec \"$0\" \"$@\"", ALARMCLOCK_REG_PATH};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        return RunProcess(argv);
    }

    std::filesystem::path File(const std::string& name) { return files_.path() / name; }

    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(File(name), std::ios::binary) << bytes;
    }

    TemporaryPrefix prefix_;
    TemporaryDirectory files_;
};

// Every value of a key, in order, as name/type/bytes, read through the library.
std::vector<std::tuple<std::string, DWORD, std::string>> Contents(const char* path) {
    std::vector<std::tuple<std::string, DWORD, std::string>> values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
    char name[256];
    std::string data(4096, '\0');
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name;
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                          &dataSize) != ERROR_SUCCESS) {
            break;
        }
        values.emplace_back(std::string(name, nameSize), type, data.substr(0, dataSize));
    }
    RegCloseKey(key);
    return values;
}

void Set(HKEY key, const char* name, DWORD type, const std::string& data) {
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                             static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
}

std::string Repeated(const std::string& text, int times) {
    std::string repeated;
    for (int i = 0; i < times; ++i) repeated += text;
    return repeated;
}

TEST_F(RegTool, QueryLaysOutValuesAndSubkeys) {
    Ok({"add", "HKCU\\Software\\Clock", "/v", "Name", "/d", "Morning"});
    Ok({"add", "hkcu\\Software\\Clock", "-V", "Count", "/T", "REG_DWORD", "/d", "255"});
    Ok({"add", "HKEY_CURRENT_USER\\Software\\Clock", "/v", "Raw", "/t", "REG_BINARY", "/d", "00ff10"});
    Ok({"add", "HKCU\\Software\\Clock", "/v", "Days", "/t", "REG_MULTI_SZ", "/d", "Mon\\0Tue"});
    Ok({"add", "HKCU\\Software\\Clock", "/v", "Big", "/t", "REG_QWORD", "/d", "0x100000000"});
    Ok({"add", "HKCU\\Software\\Clock", "/ve", "/d", "main"});
    Ok({"add", "HKCU\\Software\\Clock\\Snooze", "/v", "Minutes", "/t", "REG_DWORD", "/d", "0x9"});
    // A key: its values, then its subkeys as full paths.
    EXPECT_EQ(Ok({"query", "HKCU\\Software\\Clock"}),
              "\nHKEY_CURRENT_USER\\Software\\Clock\n"
              "    Name    REG_SZ    Morning\n"
              "    Count    REG_DWORD    0xff\n"
              "    Raw    REG_BINARY    00FF10\n"
              "    Days    REG_MULTI_SZ    Mon\\0Tue\n"
              "    Big    REG_QWORD    0x100000000\n"
              "    (Default)    REG_SZ    main\n"
              "\nHKEY_CURRENT_USER\\Software\\Clock\\Snooze\n\n");
    // One value, found under any case.
    EXPECT_EQ(Ok({"query", "HKCU\\Software\\Clock", "/v", "NAME"}),
              "\nHKEY_CURRENT_USER\\Software\\Clock\n    NAME    REG_SZ    Morning\n\n");
    // /s walks the tree, a block per key; with /v it shows only keys holding that value.
    EXPECT_EQ(Ok({"query", "HKLM", "/s"}), "\nHKEY_LOCAL_MACHINE\n\n");
    EXPECT_EQ(Ok({"query", "HKCU\\Software\\Clock", "/v", "Minutes", "/s"}),
              "\nHKEY_CURRENT_USER\\Software\\Clock\\Snooze\n    Minutes    REG_DWORD    0x9\n\n");
    std::string tree = Ok({"query", "HKCU\\Software", "/s"});
    EXPECT_NE(tree.find("\nHKEY_CURRENT_USER\\Software\\Clock\\Snooze\n    Minutes    REG_DWORD    0x9\n"),
              std::string::npos)
        << tree;
}

TEST_F(RegTool, ChangesAskUnlessForced) {
    Ok({"add", "HKCU\\A", "/v", "v", "/d", "one"});
    // Overwriting asks; end of input is No, and nothing changes.
    EXPECT_EQ(Fails({"add", "HKCU\\A", "/v", "v", "/d", "two"}),
              "ERROR: The operation was cancelled by the user.\n");
    EXPECT_EQ(Contents("A").at(0), std::make_tuple("v", REG_SZ, std::string("one", 4)));
    // Yes overwrites, and so does /f without asking.
    EXPECT_NE(Ok({"add", "HKCU\\A", "/v", "v", "/d", "two"}, "maybe\nyes\n").find("overwrite (Yes/No)?"),
              std::string::npos);
    EXPECT_EQ(Contents("A").at(0), std::make_tuple("v", REG_SZ, std::string("two", 4)));
    EXPECT_EQ(Ok({"add", "HKCU\\A", "/v", "v", "/d", "three", "/f"}),
              "The operation completed successfully.\n");
    // Deleting a value or a key asks the same way.
    Fails({"delete", "HKCU\\A", "/v", "v"}, "no\n");
    EXPECT_EQ(Contents("A").size(), 1u);
    Ok({"delete", "HKCU\\A", "/v", "v", "/f"});
    EXPECT_EQ(Contents("A").size(), 0u);
    Ok({"add", "HKCU\\A\\B", "/v", "x", "/d", "1"});
    Ok({"add", "HKCU\\A", "/v", "y", "/d", "1"});
    Ok({"delete", "HKCU\\A", "/va", "/f"});
    EXPECT_EQ(Contents("A").size(), 0u);
    EXPECT_EQ(Contents("A\\B").size(), 1u);
    Fails({"delete", "HKCU\\A"});
    Ok({"query", "HKCU\\A\\B"});
    Ok({"delete", "HKCU\\A", "/f"});
    EXPECT_EQ(Fails({"query", "HKCU\\A"}),
              "ERROR: The system was unable to find the specified registry key or value.\n");
}

TEST_F(RegTool, BadInputIsOneErrorLine) {
    Ok({"add", "HKCU\\Keep", "/v", "v", "/d", "kept"});
    // Unknown operations, options, roots and types, and options that clash or lack a value.
    Fails({});
    Fails({"frobnicate", "HKCU"});
    Fails({"query", "HKCU", "/x"});
    Fails({"query", "HKCR\\Software"});
    Fails({"query", "HKCU\\\\Software"});
    Fails({"add", "HKCU\\Keep", "/v", "n", "/t", "REG_WHATEVER"});
    Fails({"add", "HKCU\\Keep", "/v", "n", "/t", "REG_DWORD", "/d", "4294967296"});
    Fails({"add", "HKCU\\Keep", "/v", "n", "/t", "REG_BINARY", "/d", "abc"});
    Fails({"delete", "HKCU\\Keep", "/v", "v", "/ve"});
    Fails({"query", "HKCU\\Keep", "/v"});
    Fails({"query", "HKCU\\Keep", "/s", "/s"});
    Fails({"delete", "HKCU", "/f"});
    // Missing things.
    Fails({"query", "HKCU\\Keep", "/v", "absent"});
    Fails({"delete", "HKCU\\Absent", "/f"});
    Fails({"import", File("absent.reg").string()});
    Fails({"export", "HKCU\\Absent", File("out.reg").string()});
    EXPECT_FALSE(std::filesystem::exists(File("out.reg")));
    // A .reg file with a mistake on any line changes nothing, and the error names the line.
    Write("bad.reg",
          "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\New]\n\"a\"=\"1\"\n\"b\"=dword:xyz\n");
    EXPECT_NE(Fails({"import", File("bad.reg").string()}).find("line 5: invalid dword"), std::string::npos);
    Write("headless.reg", "[HKEY_CURRENT_USER\\New]\n");
    Fails({"import", File("headless.reg").string()});
    Fails({"query", "HKCU\\New"});
    // A damaged database is named, and left as it was.
    EXPECT_EQ(Contents("Keep").size(), 1u);
    std::filesystem::resize_file(prefix_.database(), 0);
    std::ofstream(prefix_.database(), std::ios::binary) << std::string(5000, 'x');
    EXPECT_NE(Fails({"query", "HKCU\\Keep"}).find(prefix_.database().string() + ": file is not a database"),
              std::string::npos);
    // An empty file reads as an empty registry, and a read writes nothing into it.
    std::filesystem::resize_file(prefix_.database(), 0);
    Fails({"query", "HKCU\\Keep"});
    EXPECT_EQ(std::filesystem::file_size(prefix_.database()), 0u);
}

TEST_F(RegTool, ExportThenImportRestoresExactBytes) {
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

TEST_F(RegTool, NamesWithControlCharactersComeBackAsOneName) {
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

TEST_F(RegTool, ANameWithALineBreakStoredEarlierIsNotExported) {
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

TEST_F(RegTool, ImportIsAllOrNothingAndNamesTheFailingLine) {
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

TEST_F(RegTool, KeysDeeperThanWindowsAllowsAreRefusedAndOldDeepTreesStillWalked) {
    Ok({"add", "HKCU\\Deep" + Repeated("\\k", 511), "/v", "v", "/d", "deepest"});
    EXPECT_NE(Fails({"add", "HKCU\\Deep" + Repeated("\\k", 512)}).find("513 levels deep"), std::string::npos);
    // A chain 2,000 levels deep, as a version without the limit could have made it.
    Ok({"add", "HKCU\\Ancient", "/v", "v", "/d", "top"});
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(prefix_.database().c_str(), &database), SQLITE_OK);
    // `levels` more keys "k", each below the one before, from the key `below` levels under Ancient.
    const auto chain = [&](int below, int levels) {
        const std::string sql =
            "WITH RECURSIVE top(id) AS (SELECT id FROM keys WHERE name = 'Ancient'),"
            " chain(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM chain WHERE n < " +
            std::to_string(levels) +
            ")"
            " INSERT INTO keys (id, parent_id, name, name_folded)"
            " SELECT top.id + " +
            std::to_string(below) + " + n, top.id + " + std::to_string(below) +
            " + n - 1, 'k', 'k' FROM top, chain";
        EXPECT_EQ(sqlite3_exec(database, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
            << sqlite3_errmsg(database);
    };
    chain(0, 2000);
    const ProcessResult query = RegOnSmallStack({"query", "HKCU\\Ancient", "/s"});
    ASSERT_EQ(query.exitCode, 0) << query.err;
    const std::string deepest = "HKEY_CURRENT_USER\\Ancient" + Repeated("\\k", 2000) + "\n";
    EXPECT_NE(query.out.find("\n" + deepest), std::string::npos);
    const ProcessResult exported = RegOnSmallStack({"export", "HKCU\\Ancient", File("ancient.reg").string()});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    // 30,000 levels deeper, where a walk that kept each level's path would need a gigabyte.
    chain(2000, 30'000);
    sqlite3_close(database);
    const ProcessResult deep = RegOnSmallStack({"query", "HKCU\\Ancient", "/s", "/v", "v"});
    ASSERT_EQ(deep.exitCode, 0) << deep.err;
    EXPECT_EQ(deep.out, "\nHKEY_CURRENT_USER\\Ancient\n    v    REG_SZ    top\n\n");
    // Brought back where it is gone, it is refused at the first key too deep: level 513, whose section is
    // on line 2 * 513 + 2 (after the header, and the top key's value).
    Ok({"delete", "HKCU\\Ancient", "/f"});
    EXPECT_NE(Fails({"import", File("ancient.reg").string()}).find("ancient.reg: line 1028: "),
              std::string::npos);
    Fails({"query", "HKCU\\Ancient"});
}

// Runs `check` in a child process with the registry in a file system of 256 kB of its own, mounted in a
// mount namespace of the child's (as root, or else in a user namespace). Returns the child's report, or
// nothing when no such file system can be made here.
std::optional<std::string> OnASmallFileSystem(
    const std::function<std::string(const std::filesystem::path&)>& check) {
    TemporaryDirectory mountPoint;
    int report[2];
    if (pipe(report) != 0) return "no pipe";
    const uid_t user = geteuid();
    const gid_t group = getegid();
    const pid_t child = fork();
    if (child == 0) {
        close(report[0]);
        auto writeMap = [](const char* file, const std::string& text) {
            const int descriptor = open(file, O_WRONLY);
            const bool written = descriptor >= 0 && write(descriptor, text.data(), text.size()) ==
                                                        static_cast<ssize_t>(text.size());
            if (descriptor >= 0) close(descriptor);
            return written;
        };
        const bool own = user == 0 ? unshare(CLONE_NEWNS) == 0
                                   : unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0 &&
                                         writeMap("/proc/self/setgroups", "deny") &&
                                         writeMap("/proc/self/uid_map",
                                                  std::to_string(user) + " " + std::to_string(user) + " 1") &&
                                         writeMap("/proc/self/gid_map",
                                                  std::to_string(group) + " " + std::to_string(group) + " 1");
        if (!own || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", mountPoint.path().c_str(), "tmpfs", 0, "size=256k,mode=0700") != 0) {
            _exit(77);
        }
        const std::string result = check(mountPoint.path());
        const bool sent = write(report[1], result.data(), result.size()) == static_cast<ssize_t>(result.size());
        umount(mountPoint.path().c_str());
        _exit(sent ? 0 : 1);
    }
    close(report[1]);
    std::string result = ReadToEnd(report[0]);
    if (WaitFor(child) == 77) return std::nullopt;
    return result;
}

TEST_F(RegTool, AFullDiskStillReadsTheRegistry) {
    const auto report = OnASmallFileSystem([](const std::filesystem::path& disk) {
        ScopedEnvironment prefix("ALARMCLOCK_PREFIX", (disk / "prefix").string());
        const std::vector<std::string> add{
            ALARMCLOCK_REG_PATH, "add", "HKCU\\Alarm", "/v", "armed", "/d", "yes"};
        if (RunProcess(add).exitCode != 0) return std::string("the value could not be written");
        // Filled to the last byte, as when the program starts on a full disk.
        std::ofstream filler(disk / "filler", std::ios::binary);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), block.size())) {
        }
        filler.close();
        for (char c = 'a'; c <= 'z'; ++c) std::ofstream(disk / std::string(1, c)) << 'x';  // the last bytes
        const ProcessResult query = RunProcess({ALARMCLOCK_REG_PATH, "query", "HKCU\\Alarm", "/v", "armed"});
        std::vector<std::string> overwrite = add;
        overwrite.push_back("/f");
        const ProcessResult write = RunProcess(overwrite);
        return query.out + query.err + "|write: " + write.err;
    });
    if (!report) GTEST_SKIP() << "mounting a small file system needs root or user namespaces";
    EXPECT_NE(report->find("    armed    REG_SZ    yes\n"), std::string::npos) << *report;
    // A write says what it lacks.
    EXPECT_NE(report->find("|write: ERROR: The configuration registry key could not be written."),
              std::string::npos)
        << *report;
    EXPECT_NE(report->find("No space left on device"), std::string::npos) << *report;
}

TEST_F(RegTool, ImportReadsFilesFromWindows) {
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
