// The database under abuse: writers killed mid-write and writers racing.
#include <signal.h>
#include <sqlite3.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/api.h"
#include "platform/registry_error_text.h"
#include "tests/platform/posix/registry/registry_file_checks.h"
#include "tests/support/subprocess.h"
#include "tests/support/temporary_prefix.h"

namespace {

std::vector<long> Acknowledged(const std::string& output) {
    std::vector<long> indices;
    std::istringstream lines(output);
    std::string line;
    // A write killed halfway through printing its line was not acknowledged.
    while (std::getline(lines, line) && !lines.eof()) indices.push_back(std::stol(line));
    return indices;
}

// One line including its newline, or what there was before end of file.
std::string ReadLine(int descriptor) {
    std::string line;
    char c;
    while (read(descriptor, &c, 1) == 1) {
        line.push_back(c);
        if (c == '\n') break;
    }
    return line;
}

std::string IntegrityCheck(const std::filesystem::path& file) {
    sqlite3* database = nullptr;
    std::string result = "cannot open";
    if (sqlite3_open_v2(file.c_str(), &database, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(database, "PRAGMA integrity_check", -1, &statement, nullptr);
        if (sqlite3_step(statement) == SQLITE_ROW)
            result = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
    }
    sqlite3_close(database);
    return result;
}

TEST(RegistryDurability, KilledWritersLoseNoAcknowledgedWrite) {
    TemporaryPrefix prefix;
    constexpr int kWriters = 200;
    constexpr int kAtOnce = 8;
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> killAfterMicroseconds(0, 50000);
    std::vector<std::vector<long>> acknowledged(kWriters);
    struct Victim {
        int delay;
        int writer;
        PipedChild child;
    };
    for (int first = 0; first < kWriters; first += kAtOnce) {
        // Each writer of a batch dies at its own random moment within the batch's window; odd ones may die
        // while still opening the database, even ones only after their first acknowledged write.
        std::vector<Victim> batch;
        auto start = std::chrono::steady_clock::now();
        for (int w = first; w < first + kAtOnce; ++w) {
            batch.push_back({killAfterMicroseconds(random), w,
                             StartPiped(Writer("Crash\\W" + std::to_string(w), "v", 1000000))});
        }
        std::sort(batch.begin(), batch.end(),
                  [](const Victim& a, const Victim& b) { return a.delay < b.delay; });
        for (const Victim& victim : batch) {
            std::string firstLine = victim.writer % 2 == 0 ? ReadLine(victim.child.output) : "";
            std::this_thread::sleep_until(start + std::chrono::microseconds(victim.delay));
            kill(victim.child.pid, SIGKILL);
            acknowledged[victim.writer] = Acknowledged(firstLine + ReadToEnd(victim.child.output));
            EXPECT_EQ(WaitFor(victim.child.pid), -1)
                << "writer " << victim.writer << " finished instead of dying";
        }
    }
    EXPECT_EQ(IntegrityCheck(prefix.database()), "ok");
    std::size_t total = 0;
    for (int w = 0; w < kWriters; ++w) {
        std::string path = "Crash\\W" + std::to_string(w);
        for (long i : acknowledged[w]) {
            ASSERT_EQ(QueryText(path.c_str(), "v" + std::to_string(i)), path + ":" + std::to_string(i) + '\0');
        }
        total += acknowledged[w].size();
    }
    // At least the even writers' first writes got through, so the check means something.
    EXPECT_GE(total, static_cast<std::size_t>(kWriters / 2));
}

TEST(RegistryDurability, AWriterKilledInsideAUnitLeavesAllOfItOrNone) {
    TemporaryPrefix prefix;
    constexpr int kRuns = 50;
    constexpr int kWrites = 20;
    std::mt19937 random(20250114);
    std::uniform_int_distribution<int> killAfterMicroseconds(0, 3000);
    int kept = 0;
    int mixed = 0;
    for (int run = 0; run < kRuns; ++run) {
        const std::string key = "Unit\\W" + std::to_string(run);
        PipedChild child = StartPiped(Writer(key, "v", kWrites, "unit"));
        // Killed only once the unit holds a write, at a random moment of the rest.
        ASSERT_EQ(ReadLine(child.output), "0\n");
        std::this_thread::sleep_for(std::chrono::microseconds(killAfterMicroseconds(random)));
        kill(child.pid, SIGKILL);
        ReadToEnd(child.output);
        WaitFor(child.pid);
        const DWORD count = ValueCount(key.c_str());
        kept += count == kWrites;
        mixed += count != 0 && count != kWrites;
    }
    EXPECT_EQ(mixed, 0);
    EXPECT_EQ(IntegrityCheck(prefix.database()), "ok");
    ::testing::Test::RecordProperty("kept", kept);
    ::testing::Test::RecordProperty("undone", kRuns - kept - mixed);
}

TEST(RegistryDurability, AUnitNeverEndedIsUndoneAndSaidToBe) {
    TemporaryPrefix prefix;
    const ProcessResult result = RunProcess(Writer("Unended", "v", 3, "unended"));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("registry.db: the writes of a unit that was begun and never ended are undone"),
              std::string::npos)
        << result.err;
    EXPECT_EQ(ValueCount("Unended"), 0u);
}

TEST(RegistryDurability, ConcurrentWritersLoseNothing) {
    TemporaryPrefix prefix;
    PipedChild first = StartPiped(Writer("Shared", "a", 1000));
    PipedChild second = StartPiped(Writer("Shared", "b", 1000));
    EXPECT_EQ(Acknowledged(ReadToEnd(first.output)).size(), 1000u);
    EXPECT_EQ(Acknowledged(ReadToEnd(second.output)).size(), 1000u);
    EXPECT_EQ(WaitFor(first.pid), 0);
    EXPECT_EQ(WaitFor(second.pid), 0);
    EXPECT_EQ(ValueCount("Shared"), 2000u);
    EXPECT_EQ(QueryText("Shared", "a999"), std::string("Shared:999", 11));
    EXPECT_EQ(QueryText("Shared", "b0"), std::string("Shared:0", 9));
}

TEST(RegistryDurability, AFirstOpenWaitsWhileAnotherProcessCreatesTheFile) {
    TemporaryPrefix prefix;
    std::filesystem::create_directories(prefix.prefix());
    // Two programs starting at once on a new registry (the login helper and the clock): the other one
    // holds the new file for writing while this one would switch it to write-ahead logging, which SQLite
    // refuses at once instead of waiting. This one must wait, not fail.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(prefix.database().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread finish([other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(other);
    });
    HKEY key = nullptr;
    const LSTATUS status =
        RegCreateKeyExA(HKEY_CURRENT_USER, "Waited", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    finish.join();
    ASSERT_EQ(status, ERROR_SUCCESS) << RegistryErrorText(status);
    RegCloseKey(key);
    EXPECT_EQ(ValueCount("Waited"), 0u);
}

}  // namespace
