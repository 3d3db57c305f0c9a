#include "framework/rules/timer_marks.h"

#include <gtest/gtest.h>

#include <chrono>
#include <initializer_list>

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

// A wake at a time, on a ten-second timer, and the step it should give.
struct Wake {
    SYSTEMTIME at;
    bool ticks;
    std::chrono::milliseconds wait;
};

void ExpectSteps(std::initializer_list<Wake> wakes) {
    for (const Wake& wake : wakes) {
        SCOPED_TRACE(testing::Message() << "woken at " << wake.at.wHour << ':' << wake.at.wMinute << ':'
                                        << wake.at.wSecond << '.' << wake.at.wMilliseconds);
        const timer_marks::Step step = timer_marks::NextStep(wake.at, 10000);
        EXPECT_EQ(step.tick, wake.ticks);
        EXPECT_EQ(step.wait, wake.wait);
    }
}

}  // namespace

TEST(TimerMarksTest, AWakeOnOrAfterAMarkTicksAndWaitsForTheNextMarkPlusTheLag) {
    ExpectSteps({
        // On time: the next wake is one interval later, so the ticks never drift.
        {At(7, 30, 0, 5), true, 10000ms},
        // Late, after the clock jumped: the tick runs now, the next one is back on the marks.
        {At(7, 30, 13, 250), true, 6755ms},
        // Exactly on the mark, and in the last moment before the early window.
        {At(7, 30, 20, 0), true, 10005ms},
        {At(7, 30, 28, 998), true, 1007ms},
    });
}

TEST(TimerMarksTest, AWakeInTheLastTenthOfAnIntervalWaitsForItsMarkWithoutTicking) {
    ExpectSteps({{At(7, 29, 59, 997), false, 8ms}, {At(7, 29, 59, 0), false, 1005ms}});
}

TEST(TimerMarksTest, MarksCountFromMidnightForAnyInterval) {
    // Ten seconds: :00, :10, ... of every minute.
    EXPECT_EQ(timer_marks::NextStep(At(23, 59, 55, 0), 10000).wait, 5005ms);  // the next mark is midnight
    // Seven seconds do not divide a minute: 07:30:06 is a mark, 27006 s (3858 times 7) after midnight.
    EXPECT_EQ(timer_marks::NextStep(At(7, 30, 0, 0), 7000).wait, 6005ms);
    // A zero interval is the shortest one, never a division by zero.
    EXPECT_TRUE(timer_marks::NextStep(At(7, 30, 0, 0), 0).tick);
}
