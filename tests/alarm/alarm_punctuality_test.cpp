// The alarm check on the wall clock's marks, over many days of a clock that jumps and a machine that
// sleeps: the alarm comes 5 ms into its minute when the program saw the minute begin, at once when the
// machine woke or the clock was set into its minute or a few minutes after, never when it woke later, and
// never twice.
#include <random>

#include "alarm/alarm_moment.h"
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

TEST_F(AlarmPunctualityTest, ADailyAlarmFiresOnTimeFor10000DaysOfJumpsAndSuspendsNeverTwice) {
    form->CheckBox8->SetChecked(true);
    Type(form->hour, "7");
    Type(form->min, "30");
    const auto firstDay = std::chrono::floor<std::chrono::days>(Now());
    int onTheMark = 0;
    int onWaking = 0;
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
        // The machine sleeps over the minute's start: it wakes inside the minute, a little after it, or
        // long after it.
        if (OneIn(10)) {
            RunTo(std::max(Now(), alarm - Between(1ms, 20s)));
            const milliseconds late =
                OneIn(3) ? Between(kLateAlarmGrace + 1s, 2h) : Between(0ms, kLateAlarmGrace);
            JumpTo(alarm + late, OneIn(2));
            lastJump = Now();
        }
        RunTo(std::max(Now() + kInterval, alarm + std::chrono::minutes{2} + Between(0ms, kInterval)));
        // The time zone goes back an hour after the alarm: the minute comes again, the alarm does not.
        if (!firings.empty() && OneIn(5)) {
            JumpTo(Now() - std::chrono::hours{1}, false);
            RunTo(alarm + std::chrono::minutes{2});
        }

        if (lastJump > alarm + kLateAlarmGrace) {
            EXPECT_TRUE(firings.empty()) << "day " << day;  // too late: it waits for the next day
            continue;
        }
        ASSERT_EQ(firings.size(), 1u) << "day " << day;
        if (lastJump < alarm) {
            EXPECT_EQ(firings[0], alarm + timer_marks::kLag) << "day " << day;
            ++onTheMark;
        } else {
            EXPECT_EQ(firings[0], lastJump) << "day " << day;  // at the wake, with no wait
            ++onWaking;
        }
    }
    EXPECT_GT(onTheMark, 5000);  // the common case is the one measured
    EXPECT_GT(onWaking, 300);
}
