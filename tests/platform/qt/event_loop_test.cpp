// The widgetset's loop over Qt's: timers, posted window messages and nested waits.
#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <ctime>

#include "framework/exceptions.h"

#include "tests/platform/qt/qt_test.h"

namespace {

using QtEventLoopTest = QtTest;

TEST_F(QtEventLoopTest, TimersTickUntilStoppedEvenFromTheirOwnTick) {
    auto& widgetset = CurrentWidgetset();
    int fast = 0;
    int slow = 0;
    widgetset::TimerId fastTimer = 0;
    fastTimer = widgetset.StartTimer(5, [&] {
        if (++fast == 3) widgetset.StopTimer(fastTimer);
    });
    const auto slowTimer = widgetset.StartTimer(60, [&] { ++slow; });
    EXPECT_NE(fastTimer, slowTimer);
    ASSERT_TRUE(WaitUntil([&] { return slow == 2; }, "two slow ticks"));
    widgetset.StopTimer(slowTimer);
    EXPECT_EQ(fast, 3);
    widgetset.ProcessMessages();
    EXPECT_EQ(slow, 2);
}

TEST_F(QtEventLoopTest, PostedMessagesArriveThroughTheLoopInOrder) {
    application->CreateForm(form);
    const HWND window = form->Handle();
    ASSERT_TRUE(PostMessageA(window, WM_USER + 1, 10, 0));
    ASSERT_TRUE(PostMessageA(window, WM_USER + 2, 20, 0));
    EXPECT_TRUE(form->messages.empty());  // not before the loop runs
    ASSERT_TRUE(WaitUntil([&] { return form->messages.size() == 2; }, "the posted messages"));
    EXPECT_EQ(form->messages[0].Msg, WM_USER + 1);
    EXPECT_EQ(form->messages[1].WParam, 20u);
}

// As while a handler's message box waits: other timers go on.
TEST_F(QtEventLoopTest, ANestedLoopDeliversOtherTimersAndTheOuterLoopChecksAfterIt) {
    int otherTicks = 0;
    bool nestedDone = false;
    const auto other = CurrentWidgetset().StartTimer(5, [&] { ++otherTicks; });
    const auto outer = CurrentWidgetset().StartTimer(5, [&] {
        if (nestedDone) return;
        CurrentWidgetset().RunLoop([&] { return otherTicks >= 3; });
        nestedDone = true;
    });
    EXPECT_TRUE(WaitUntil([&] { return nestedDone; }, "the nested loop to end"));
    CurrentWidgetset().StopTimer(outer);
    CurrentWidgetset().StopTimer(other);
    EXPECT_GE(otherTicks, 3);
}

// As with a message box opened by the alarm check's own tick: the check goes on ticking inside the box.
TEST_F(QtEventLoopTest, ATimerWhoseTickWaitsInANestedLoopTicksAgainInsideIt) {
    int ticks = 0;
    int ticksInside = 0;
    const auto timer = CurrentWidgetset().StartTimer(5, [&] {
        if (++ticks > 1) return;
        CurrentWidgetset().RunLoop([&] { return ticks >= 4; });
        ticksInside = ticks - 1;
    });
    EXPECT_TRUE(WaitUntil([&] { return ticksInside > 0; }, "the nested loop to end"));
    CurrentWidgetset().StopTimer(timer);
    EXPECT_GE(ticksInside, 3);
}

// The kernel takes a set of the clock to the time it reads (which moves it back by the microseconds between
// the two calls) as any set, and a resume as one. False, with errno, where this process may not set it.
bool SetTheClockToItself() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return clock_settime(CLOCK_REALTIME, &now) == 0;
}

TEST_F(QtEventLoopTest, AWallClockTimerTicksOnItsMarksAndOnceAtOnceWhenTheClockIsSet) {
    int onMarks = 0;
    const auto fast = CurrentWidgetset().StartWallClockTimer(20, [&] { ++onMarks; });
    EXPECT_TRUE(WaitUntil([&] { return onMarks >= 3; }, "three ticks on the marks"));
    CurrentWidgetset().StopTimer(fast);

    int refusal = 0;
    const std::optional<int> ticks = WallClockTimerTicksAfter([&] {
        if (SetTheClockToItself()) return true;
        refusal = errno;
        return false;
    });
    if (refusal != 0) GTEST_SKIP() << "setting the clock needs CAP_SYS_TIME: " << std::strerror(refusal);
    if (!ticks) GTEST_SKIP() << "too soon after midnight";
    EXPECT_EQ(*ticks, 1);
}

// A file that cannot be played is reported as the framework's error.
TEST_F(QtEventLoopTest, AMediaFileThatCannotBeOpenedIsAMediaError) {
    const auto device = CurrentWidgetset().CreateMediaDevice();
    ASSERT_NE(device, nullptr);
    EXPECT_THROW(device->Open(testing::TempDir() + "no-such-sound.wav"), EMCIDeviceError);
}

}  // namespace
