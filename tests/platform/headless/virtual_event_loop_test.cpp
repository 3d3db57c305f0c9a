#include <cstdio>
#include <string>
#include <vector>

#include "platform/posix/core/window_table.h"
#include "tests/support/headless_test.h"

using headless::VirtualEventLoop;

class VirtualEventLoopTest : public HeadlessTest {
  protected:
    VirtualEventLoopTest() { desktop.Clock().SetLocalTime(2026, 12, 7, 7, 0, 0); }
    VirtualEventLoop& loop = desktop.Loop();
    std::vector<std::string> log;
    // Seconds and milliseconds of the virtual clock.
    std::string Now() {
        const SYSTEMTIME t = desktop.Clock().LocalTime();
        char text[16];
        std::snprintf(text, sizeof text, "%u.%03u", t.wSecond, t.wMilliseconds);
        return text;
    }
};

TEST_F(VirtualEventLoopTest, TimersFireInOrderOfDueTimeWithTiesInStartOrder) {
    const auto slow = loop.StartTimer(1000ms, [&] { log.push_back("slow " + Now()); });
    const auto fast = loop.StartTimer(500ms, [&] { log.push_back("fast " + Now()); });
    loop.Schedule(1000ms, [&] { log.push_back("once " + Now()); });
    desktop.Advance(2000ms);
    EXPECT_EQ(log, (std::vector<std::string>{"fast 0.500", "slow 1.000", "fast 1.000", "once 1.000",
                                             "fast 1.500", "slow 2.000", "fast 2.000"}));
    loop.StopTimer(slow);
    loop.StopTimer(fast);
    EXPECT_FALSE(loop.HasTimers());  // the one-shot action went after it ran
}

TEST_F(VirtualEventLoopTest, ANestedAdvanceNeverMovesTimeBackwards) {
    // A handler that waits 5 s in a nested loop, as a modal box does, inside a 1 s advance.
    const auto timer = loop.StartTimer(1000ms, [&] {
        log.push_back("tick " + Now());
        if (log.size() == 1) desktop.Advance(5000ms);
    });
    desktop.Advance(1000ms);
    EXPECT_EQ(log, (std::vector<std::string>{"tick 1.000", "tick 2.000", "tick 3.000", "tick 4.000",
                                             "tick 5.000", "tick 6.000"}));
    EXPECT_EQ(Now(), "6.000");
    loop.StopTimer(timer);
}

namespace {
std::vector<UINT> delivered;
LRESULT CALLBACK RecordingProc(HWND, UINT message, WPARAM, LPARAM) {
    delivered.push_back(message);
    return 0;
}
}  // namespace

TEST_F(VirtualEventLoopTest, PostedMessagesRunBeforeTheNextTimer) {
    delivered.clear();
    const HWND window = posix::CreateWindowHandle(&RecordingProc);
    loop.Schedule(10ms, [&] { PostMessageA(window, WM_USER, 0, 0); });
    loop.Schedule(20ms, [&] { log.push_back(delivered.empty() ? "not yet" : "delivered"); });
    desktop.Advance(30ms);
    EXPECT_EQ(log, (std::vector<std::string>{"delivered"}));
    EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(std::uintptr_t{1}), WM_USER, 0, 0));  // no such window
    DestroyWindow(window);
}

TEST_F(VirtualEventLoopTest, RunUntilStopsAtTheConditionOrAtTheLimit) {
    int ticks = 0;
    const auto timer = loop.StartTimer(10000ms, [&] { ++ticks; });
    EXPECT_TRUE(loop.RunUntil([&] { return ticks == 3; }, 1h));
    EXPECT_EQ(Now(), "30.000");
    EXPECT_FALSE(loop.RunUntil([] { return false; }, 25s));
    EXPECT_EQ(ticks, 5);  // 40 s and 50 s; the limit ends at 55 s
    EXPECT_EQ(Now(), "55.000");
    loop.StopTimer(timer);
}

// A wait that keeps the interface alive runs the animations alone; the rest runs after it, a timer once.
TEST_F(VirtualEventLoopTest, AWaitKeepingTheInterfaceAliveRunsOnlyAnimationsAndHoldsTheRest) {
    delivered.clear();
    const HWND window = posix::CreateWindowHandle(&RecordingProc);
    const auto plain = loop.StartTimer(100ms, [&] { log.push_back("plain " + Now()); });
    const auto flashing = loop.StartAnimationTimer(300ms, [&] { log.push_back("flash " + Now()); });
    loop.Schedule(50ms, [&] { log.push_back("user " + Now()); });
    PostMessageA(window, WM_USER, 0, 0);
    EXPECT_FALSE(loop.WaitKeepingAlive(1000ms, [] { return false; }));
    EXPECT_EQ(log, (std::vector<std::string>{"flash 0.300", "flash 0.600", "flash 0.900"}));
    EXPECT_TRUE(delivered.empty());
    EXPECT_EQ(Now(), "1.000");
    EXPECT_TRUE(loop.WaitKeepingAlive(1000ms, [&] { return log.size() == 4; }));
    EXPECT_EQ(Now(), "1.200");
    log.clear();
    loop.ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"user 1.200", "plain 1.200"}));
    EXPECT_EQ(delivered, (std::vector<UINT>{WM_USER}));
    loop.StopTimer(plain);
    loop.StopTimer(flashing);
    DestroyWindow(window);
}

TEST_F(VirtualEventLoopTest, TheClockGivesLocalTimeWithItsCalendar) {
    desktop.Clock().SetLocalTime(2028, 2, 29, 23, 59, 59);  // a leap day, a Tuesday
    desktop.Advance(1s);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    EXPECT_EQ(now.wYear, 2028);
    EXPECT_EQ(now.wMonth, 3);
    EXPECT_EQ(now.wDay, 1);
    EXPECT_EQ(now.wHour, 0);
    EXPECT_EQ(now.wDayOfWeek, 3);  // Wednesday, Sunday being 0
    // The same instant, read again after a change of zone, reads as the new zone's clock.
    desktop.Clock().SetZone("Asia/Kolkata");
    GetLocalTime(&now);
    EXPECT_EQ(now.wHour * 60 + now.wMinute, 5 * 60 + 30);
    EXPECT_THROW(desktop.Clock().SetLocalTime(2027, 2, 29), std::invalid_argument);
}

TEST_F(VirtualEventLoopTest, SettingTheWallClockMovesNoTimerButWallClockTimersFollowItFromTheirNextWake) {
    const auto plain = loop.StartTimer(10000ms, [&] { log.push_back("plain " + Now()); });
    const auto marks = loop.StartWallClockTimer(10000ms, [&] { log.push_back("marks " + Now()); });
    desktop.Advance(10000ms);  // 07:00:10.000; the marks' tick comes 5 ms after the mark
    desktop.Clock().Set(desktop.Clock().Now() - 500ms);  // set back by a time server: 07:00:09.500
    desktop.Advance(10000ms);
    // The set wakes the wall-clock timer at once, which ticks and goes back to the marks. The plain timer
    // keeps its own pace.
    EXPECT_EQ(log, (std::vector<std::string>{"plain 10.000", "marks 9.500", "marks 10.005", "plain 19.500"}));
    loop.StopTimer(plain);
    loop.StopTimer(marks);
}

TEST_F(VirtualEventLoopTest, ASuspendRunsNothingWallClockTimersTickOnWakingPlainOnesGoOn) {
    const auto plain = loop.StartTimer(1000ms, [&] { log.push_back("plain " + Now()); });
    const auto marks = loop.StartWallClockTimer(10000ms, [&] { log.push_back("marks " + Now()); });
    desktop.Advance(400ms);
    loop.Suspend(1h + 2500ms);  // wakes at 08:00:02.900
    EXPECT_TRUE(log.empty());
    desktop.Advance(8000ms);
    // The marks' tick on waking is off the marks, the next one on them again; the plain timer had 600 ms
    // left.
    EXPECT_EQ(log, (std::vector<std::string>{"marks 2.900", "plain 3.500", "plain 4.500", "plain 5.500",
                                             "plain 6.500", "plain 7.500", "plain 8.500", "plain 9.500",
                                             "marks 10.005", "plain 10.500"}));
    loop.StopTimer(plain);
    loop.StopTimer(marks);
}
