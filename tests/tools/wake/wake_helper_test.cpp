// alarmclock-wake as it runs: its refusal without the capability, and the moments the system holds for it,
// read back from its timer (its --print). Holding a timer needs CAP_WAKE_ALARM, which a test run as root
// has; where no real-time clock can wake the computer the helper refuses, and holds only when told to hold
// regardless.
#include <sys/timerfd.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "tests/support/subprocess.h"

namespace {

const std::string kHelper = ALARMCLOCK_WAKE_HELPER;

bool MayHoldWakeUps() {
    const int timer = timerfd_create(CLOCK_REALTIME_ALARM, TFD_CLOEXEC);
    if (timer < 0) return false;
    close(timer);
    return true;
}

bool HasWakeClock() {
    timespec resolution{};
    return clock_getres(CLOCK_REALTIME_ALARM, &resolution) == 0;
}

// Run by a process that may, the helper is started without the capability.
TEST(WakeHelperTest, RefusesWithoutTheCapability) {
    std::vector<std::string> command = {kHelper};
    if (MayHoldWakeUps())
        command.insert(command.begin(), {"/usr/bin/setpriv", "--inh-caps=-all", "--bounding-set=-wake_alarm"});
    const ProcessResult result = RunProcess(command, "1900000000\n");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(
        result.err,
        "alarmclock-wake: the wake-up helper lacks the capability cap_wake_alarm, which a timer that wakes "
        "the computer needs (the package grants it at installation; a copy built or installed by hand has "
        "none)\n");
    EXPECT_EQ(result.out, "");
}

TEST(WakeHelperTest, RefusesWithoutAWakeClockAndEndsWithItsInput) {
    if (!MayHoldWakeUps()) GTEST_SKIP() << "this test runs without CAP_WAKE_ALARM";
    const ProcessResult result = RunProcess({kHelper}, "");
    if (HasWakeClock()) {
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.err, "");
    } else {
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(
            result.err.rfind("alarmclock-wake: this computer has no real-time clock that can wake it (", 0), 0u)
            << result.err;
    }
}

// Each line replaces the moment held; a line that is no moment is said and changes nothing.
TEST(WakeHelperTest, HoldsEachMomentAsTheSystemReadsItBack) {
    if (!MayHoldWakeUps()) GTEST_SKIP() << "this test runs without CAP_WAKE_ALARM";
    const std::string inAnHour = std::to_string(std::time(nullptr) + 3600);
    const std::string tomorrow = std::to_string(std::time(nullptr) + 86400 + 60);
    const ProcessResult result = RunProcess({kHelper, "--print", "--hold-without-rtc"},
                                            inAnHour + "\n" + tomorrow + "\nsoon\n\n" + inAnHour + "\n0\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "held " + inAnHour + "\nheld " + tomorrow + "\nheld " + tomorrow + "\nnone\nheld " +
                              inAnHour + "\nnone\n");
    EXPECT_EQ(result.err,
              "alarmclock-wake: not a moment: \"soon\" (seconds since the epoch, or 0 or nothing "
              "for none)\n");
}

}  // namespace
