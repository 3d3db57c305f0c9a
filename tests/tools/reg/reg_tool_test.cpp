// alarmclock-reg run as a user would run it: output layout, prompts, exit codes, deep trees and a full disk.
#include <fcntl.h>
#include <sched.h>
#include <sqlite3.h>
#include <sys/mount.h>
#include <unistd.h>

#include <functional>
#include <optional>

#include "tests/tools/reg/reg_tool_fixture.h"

namespace {

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

}  // namespace
