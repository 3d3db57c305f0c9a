// The loop, the timers and the one running instance.
#include <utility>

#include "tests/platform/win32/win32_test.h"

namespace {

using Win32EventLoopTest = Win32Test;

TEST_F(Win32EventLoopTest, TimersTickUntilStoppedAndATickMayStopItself) {
    int fast = 0;
    int once = 0;
    widgetset::TimerId onceTimer = 0;
    const auto fastTimer = CurrentWidgetset().StartTimer(10, [&] { ++fast; });
    onceTimer = CurrentWidgetset().StartTimer(10, [&] {
        ++once;
        CurrentWidgetset().StopTimer(onceTimer);
    });
    ASSERT_TRUE(WaitUntil([&] { return fast >= 5; }, "five ticks"));
    CurrentWidgetset().StopTimer(fastTimer);
    const int stoppedAt = fast;
    CurrentWidgetset().ProcessMessages();
    Sleep(50);
    CurrentWidgetset().ProcessMessages();
    EXPECT_EQ(fast, stoppedAt);
    EXPECT_EQ(once, 1);
}

// Broadcast as the system does, only to top-level windows, right after the start: an armed start at login
// has its main form, hidden, and no box, and its alarm check must hear these from its first tick.
TEST_F(Win32EventLoopTest, AWallClockTimerTicksOnceAtOnceWhenTheClockIsSetOrTheSystemResumesBeforeAnyBox) {
    application->CreateForm(form);
    form->Load("object Form1: TTestForm\nend\n");
    ASSERT_NE(form->Handle(), nullptr);
    const std::pair<UINT, WPARAM> broadcasts[] = {{WM_TIMECHANGE, 0},
                                                  {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC},
                                                  {WM_POWERBROADCAST, PBT_APMRESUMESUSPEND}};
    for (const auto& [message, wParam] : broadcasts) {
        const std::optional<int> ticks = WallClockTimerTicksAfter([&] {
            SendMessageTimeoutA(HWND_BROADCAST, message, wParam, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
            return true;
        });
        if (!ticks) GTEST_SKIP() << "too soon after midnight";
        EXPECT_EQ(*ticks, 1) << "message " << message << ", " << wParam;
    }
}

// A plain second start knocks; one with a command gets the holder's answer, its status and text whole,
// through WM_COPYDATA both ways. Without a holder there is no answer.
TEST_F(Win32EventLoopTest, ASecondClaimGivesWayAndTheFirstHearsOfItOrAnswersItsCommand) {
    EXPECT_EQ(CurrentWidgetset().AskInstance("alarmclock-test", "status"), std::nullopt);
    int starts = 0;
    ASSERT_TRUE(CurrentWidgetset().ClaimInstance("alarmclock-test", [&](const std::string& request) {
        if (request.empty()) ++starts;
        return widgetset::InstanceAnswer{request == "stop" ? 1 : 0, "asked: " + request + "\nsecond line\n"};
    }));
    // A second start in another process finds the same session-wide mutex; one in this process does too.
    EXPECT_FALSE(CurrentWidgetset().ClaimInstance("alarmclock-test", {}));
    EXPECT_TRUE(WaitUntil([&] { return starts == 1; }, "the knock"));
    for (const char* command : {"status", "stop"}) {
        const auto answer = CurrentWidgetset().AskInstance("alarmclock-test", command);
        ASSERT_TRUE(answer.has_value()) << command;
        EXPECT_EQ(answer->status, std::string(command) == "stop" ? 1 : 0);
        EXPECT_EQ(answer->text, std::string("asked: ") + command + "\nsecond line\n");
    }
    EXPECT_EQ(starts, 1);
}

TEST_F(Win32EventLoopTest, AClaimWhoseMutexCannotBeMadeFailsWithItsName) {
    // An event holding the name: the mutex cannot be made, and the start must not go on unguarded.
    const HANDLE squatter = CreateEventA(nullptr, FALSE, FALSE, "Local\\alarmclock-squatted.instance");
    ASSERT_NE(squatter, nullptr);
    try {
        CurrentWidgetset().ClaimInstance("alarmclock-squatted", {});
        ADD_FAILURE() << "the claim went on without its mutex";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("alarmclock-squatted.instance"), std::string::npos)
            << error.what();
    }
    CloseHandle(squatter);
}

TEST_F(Win32EventLoopTest, TheNotificationAreaOfTheDesktopIsSeen) {
    EXPECT_TRUE(WaitUntil([] { return CurrentWidgetset().NotificationAreaAvailable(); }, "the tray"));
}

}  // namespace
