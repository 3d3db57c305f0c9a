// The alarm check on the wall clock's marks, over many days of a clock that jumps and a machine that
// sleeps: the alarm comes 5 ms into its minute whenever the program saw the minute begin, never twice.
#include <random>

#include "framework/timer_marks.h"
#include "tests/support/alarm_clock_test.h"

namespace {

using headless::VirtualTime;
using std::chrono::milliseconds;

constexpr milliseconds kInterval{10000};
constexpr auto kOnTheMark = kInterval + timer_marks::kLag;  // a jump this close before still shows

class AlarmPunctualityTest : public AlarmClockTest {
  protected:
    AlarmPunctualityTest() {
        ExpectWelcome();
        Start();
    }

    bool Flashing() const { return form->TrayTimer->Enabled(); }
    VirtualTime Now() const { return desktop.Clock().Now(); }

    // Runs the program until the wall clock reads end (no jump meanwhile), noting when the alarm fires and
    // acknowledging it at once.
    void RunTo(VirtualTime end) {
        while (Now() < end) {
            if (!desktop.Loop().RunUntil([this] { return Flashing(); }, end - Now())) return;
            firings.push_back(Now());
            TrayClick(WM_LBUTTONDOWN);
        }
    }
    // Sets the wall clock (a time zone, a time server, or a resume that the timers slept through), or
    // lets the machine sleep until then (the timers overdue run on waking).
    void JumpTo(VirtualTime time, bool asSuspend) {
        if (asSuspend && time > Now()) {
            desktop.Loop().Suspend(time - Now());
        } else {
            desktop.Clock().Set(time);
        }
    }
    milliseconds Between(milliseconds low, milliseconds high) {
        return milliseconds{std::uniform_int_distribution<long long>{low.count(), high.count()}(random)};
    }
    bool OneIn(int n) { return std::uniform_int_distribution<int>{1, n}(random) == 1; }

    std::mt19937 random{20260705};  // the same days on every run
    std::vector<VirtualTime> firings;
};

}  // namespace

TEST_F(AlarmPunctualityTest, ADailyAlarmFiresOnItsMinutesStartFor10000DaysOfJumpsAndSuspendsNeverTwice) {
    form->CheckBox8->SetChecked(true);
    Type(form->hour, "7");
    Type(form->min, "30");
    const auto firstDay = std::chrono::floor<std::chrono::days>(Now());
    int onTheMark = 0;
    for (int day = 0; day < 10000; ++day) {
        const VirtualTime alarm =
            firstDay + std::chrono::days{day} + std::chrono::hours{7} + std::chrono::minutes{30};
        firings.clear();
        // Overnight the machine sleeps, or its clock is set, to a moment up to half an hour before the
        // alarm; on a quarter of the days to its last interval.
        const milliseconds before = OneIn(4) ? Between(1ms, kOnTheMark) : Between(1ms, 30min);
        JumpTo(alarm - before, OneIn(2));
        VirtualTime lastJump = Now();
        // A time server corrects the clock by up to three seconds either way, shortly before the alarm.
        if (OneIn(5)) {
            const VirtualTime at = alarm - Between(1ms, 15s);
            if (at > Now()) {
                RunTo(at);
                JumpTo(Now() + Between(-3s, 3s), false);
                lastJump = Now();
            }
        }
        // The machine sleeps over the minute's start: it wakes inside the minute or after it.
        if (OneIn(10)) {
            RunTo(std::max(Now(), alarm - Between(1ms, 20s)));
            JumpTo(alarm + Between(0ms, 90s), OneIn(2));
            lastJump = alarm;
        }
        const bool sawTheMinuteBegin = lastJump < alarm;
        RunTo(alarm + std::chrono::minutes{2} + Between(0ms, kInterval));
        // The time zone goes back an hour: the minute comes again, the alarm does not.
        if (OneIn(5)) {
            JumpTo(Now() - std::chrono::hours{1}, false);
            RunTo(alarm + std::chrono::minutes{2});
        }

        ASSERT_LE(firings.size(), 1u) << "day " << day;
        if (!firings.empty()) {
            EXPECT_GE(firings[0], alarm) << "day " << day;
            EXPECT_LT(firings[0], alarm + std::chrono::minutes{1}) << "day " << day;
        }
        if (!sawTheMinuteBegin) continue;
        ASSERT_EQ(firings.size(), 1u) << "day " << day;  // never missed while the program ran
        if (alarm - lastJump >= kOnTheMark) {
            // Not a jump in the interval before: on the mark, a few milliseconds in.
            EXPECT_EQ(firings[0], alarm + timer_marks::kLag) << "day " << day;
            ++onTheMark;
        } else {
            // The wake planned before the jump came within an interval of it, and the check with it; or,
            // coming in the last tenth of an interval before a mark, it waited for the mark.
            EXPECT_LE(firings[0], lastJump + kOnTheMark + kInterval / 10) << "day " << day;
        }
    }
    EXPECT_GT(onTheMark, 5000);  // the common case is the one measured
}
