#include "framework/timer_marks.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

SYSTEMTIME At(WORD hour, WORD minute, WORD second, WORD millisecond) {
    SYSTEMTIME time{};
    time.wYear = 2026;
    time.wMonth = 7;
    time.wDay = 5;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    time.wMilliseconds = millisecond;
    return time;
}

}  // namespace

TEST(TimerMarksTest, AWakeOnOrAfterAMarkTicksAndWaitsForTheNextMarkPlusTheLag) {
    // On time: the next wake is one interval later, so the ticks never drift.
    auto step = timer_marks::NextStep(At(7, 30, 0, 5), 10000);
    EXPECT_TRUE(step.tick);
    EXPECT_EQ(step.wait, 10000ms);
    // Late, after the clock jumped: the tick runs now, the next one is back on the marks.
    step = timer_marks::NextStep(At(7, 30, 13, 250), 10000);
    EXPECT_TRUE(step.tick);
    EXPECT_EQ(step.wait, 6755ms);
    // Exactly on the mark, and in the last moment before the early window.
    EXPECT_EQ(timer_marks::NextStep(At(7, 30, 20, 0), 10000).wait, 10005ms);
    step = timer_marks::NextStep(At(7, 30, 28, 998), 10000);
    EXPECT_TRUE(step.tick);
    EXPECT_EQ(step.wait, 1007ms);
}

TEST(TimerMarksTest, AWakeInTheLastTenthOfAnIntervalWaitsForItsMarkWithoutTicking) {
    auto step = timer_marks::NextStep(At(7, 29, 59, 997), 10000);
    EXPECT_FALSE(step.tick);
    EXPECT_EQ(step.wait, 8ms);
    step = timer_marks::NextStep(At(7, 29, 59, 0), 10000);
    EXPECT_FALSE(step.tick);
    EXPECT_EQ(step.wait, 1005ms);
}

TEST(TimerMarksTest, MarksCountFromMidnightForAnyInterval) {
    // Ten seconds: :00, :10, ... of every minute.
    EXPECT_EQ(timer_marks::NextStep(At(23, 59, 55, 0), 10000).wait, 5005ms);  // the next mark is midnight
    // Seven seconds do not divide a minute: 07:30:06 is a mark, 27006 s (3858 times 7) after midnight.
    EXPECT_EQ(timer_marks::NextStep(At(7, 30, 0, 0), 7000).wait, 6005ms);
    // A zero interval is the shortest one, never a division by zero.
    EXPECT_TRUE(timer_marks::NextStep(At(7, 30, 0, 0), 0).tick);
}
