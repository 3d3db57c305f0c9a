// The wake-up on Windows: the due time of an instant, and the system's waitable timer set, replaced and
// released, seen through its signal a second or two after it is set.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/waitable_wake_timer.h"

namespace {

constexpr LONGLONG kSecond = 10'000'000;  // in a file time's 100 ns

LONGLONG Ticks(const FILETIME& time) {
    return static_cast<LONGLONG>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

LONGLONG Now() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return Ticks(now);
}

std::chrono::sys_seconds NowInstant() {
    return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
}

// The due time of an instant is the system's own file time of it: now's within a second of the system's
// clock, and a day in 2030 where the system reads it.
TEST(Win32WaitableWakeTimerTest, DueTimeIsTheSystemsFileTimeOfTheInstant) {
    const LONGLONG now = Now();
    const LONGLONG due = win32backend::DueTimeOf(NowInstant()).QuadPart;
    EXPECT_GE(now - due, 0);
    EXPECT_LT(now - due, 2 * kSecond);

    using namespace std::chrono;
    const LONGLONG moment = win32backend::DueTimeOf(sys_days{2030y / 7 / 1} + 5h + 30min).QuadPart;
    const FILETIME time{static_cast<DWORD>(moment), static_cast<DWORD>(moment >> 32)};
    SYSTEMTIME utc{};
    ASSERT_TRUE(FileTimeToSystemTime(&time, &utc));
    EXPECT_EQ((std::vector<WORD>{utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond}),
              (std::vector<WORD>{2030, 7, 1, 5, 30, 0}));
}

// One wait shows that neither a released moment nor one replaced by a later moment comes.
TEST(Win32WaitableWakeTimerTest, TimerComesAtTheMomentHeldLast) {
    std::vector<std::string> refusals;
    const auto refused = [&refusals](const std::string& why) { refusals.push_back(why); };
    win32backend::WaitableWakeTimer released(refused);
    win32backend::WaitableWakeTimer replaced(refused);
    win32backend::WaitableWakeTimer held(refused);
    ASSERT_NE(held.Handle(), nullptr);
    // To the second, so one to two seconds ahead.
    const auto soon = NowInstant() + std::chrono::seconds{2};
    const auto tomorrow = NowInstant() + std::chrono::days{1};
    released.Hold(soon);
    released.Hold(std::nullopt);
    replaced.Hold(soon);
    replaced.Hold(tomorrow);
    held.Hold(tomorrow);
    held.Hold(soon);
    const HANDLE notComing[] = {released.Handle(), replaced.Handle()};
    EXPECT_EQ(WaitForMultipleObjects(2, notComing, FALSE, 3000), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(held.Handle(), 30'000), WAIT_OBJECT_0);
    // A system that cannot resume for a timer is said once by each timer.
    ASSERT_LE(refusals.size(), 3u);
    for (const std::string& why : refusals) EXPECT_NE(why.find("cannot resume"), std::string::npos) << why;
}

}  // namespace
