// The wake-up on Windows: the due time of a local reading, and the system's waitable timer set, replaced
// and released, seen through its signal a second or two after it is set.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/wake_timer.h"

namespace {

constexpr LONGLONG kSecond = 10'000'000;  // in a file time's 100 ns

LONGLONG Ticks(const FILETIME& time) {
    return static_cast<LONGLONG>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

SYSTEMTIME LocalOf(LONGLONG ticks) {
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    FileTimeToSystemTime(&time, &utc);
    SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    return local;
}

LONGLONG Now() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return Ticks(now);
}

bool SameReading(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

// The local clock's reading now falls now, to the second; a reading in summer and one in winter fall where
// the system's own conversion back reads them again (each with its date's offset, which the Berlin run of
// this test makes differ).
TEST(WakeTimerTest, DueTimeIsWhenTheLocalClockReadsTheMoment) {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    const LONGLONG now = Now();
    const std::optional<LARGE_INTEGER> due = win32backend::DueTimeOfLocal(local);
    ASSERT_TRUE(due);
    EXPECT_GE(now - due->QuadPart, 0);
    EXPECT_LT(now - due->QuadPart, 2 * kSecond);

    for (const SYSTEMTIME reading :
         {SYSTEMTIME{2030, 7, 1, 1, 7, 30, 0, 999}, SYSTEMTIME{2030, 12, 2, 24, 7, 30, 0, 0}}) {
        const std::optional<LARGE_INTEGER> moment = win32backend::DueTimeOfLocal(reading);
        ASSERT_TRUE(moment);
        EXPECT_EQ(moment->QuadPart % kSecond, 0) << "milliseconds are ignored";
        EXPECT_TRUE(SameReading(LocalOf(moment->QuadPart), reading)) << reading.wMonth;
    }
}

// One wait shows that neither a released moment nor one replaced by a later moment comes.
TEST(WakeTimerTest, TimerComesAtTheMomentHeldLast) {
    std::vector<std::string> refusals;
    const auto refused = [&refusals](const std::string& why) { refusals.push_back(why); };
    win32backend::WakeTimer released(refused);
    win32backend::WakeTimer replaced(refused);
    win32backend::WakeTimer held(refused);
    ASSERT_NE(held.Handle(), nullptr);
    // To the second, so one to two seconds ahead.
    const SYSTEMTIME soon = LocalOf(Now() + 2 * kSecond);
    const SYSTEMTIME tomorrow = LocalOf(Now() + 86400 * kSecond);
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
