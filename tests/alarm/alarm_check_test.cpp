#include "tests/support/alarm_clock_test.h"

namespace {

// An armed one-time alarm with no notification: firing shows only in the flash timer and the box.
class AlarmCheckTest : public AlarmClockTest {
  protected:
    AlarmCheckTest() {
        ExpectWelcome();
        Start();
    }
    void Arm(const std::string& hourText, const std::string& minuteText) {
        Type(form->hour, hourText);
        Type(form->min, minuteText);
    }
    bool Fired() const { return form->TrayTimer->Enabled(); }
    void Acknowledge() { TrayClick(WM_LBUTTONDOWN); }
    std::string Now() const {
        const SYSTEMTIME t = desktop.Clock().LocalTime();
        char text[32];
        std::snprintf(text, sizeof text, "%02u-%02u %02u:%02u:%02u", t.wMonth, t.wDay, t.wHour, t.wMinute,
                      t.wSecond);
        return text;
    }
};

}  // namespace

TEST_F(AlarmCheckTest, AOneTimeAlarmFiresOnTheFirstTickOfItsMinuteAndOnlyThen) {
    desktop.Clock().Set(desktop.Clock().Now() + 29min + 54s + 321ms);
    Restart();  // started at 7:29:54.321; the ticks fall 5 ms after the marks, :00, :10, ...
    Arm("7", "30");
    desktop.Advance(5683ms);  // 7:30:00.004
    EXPECT_FALSE(Fired());
    desktop.Advance(1ms);  // the 7:30:00.005 tick
    EXPECT_TRUE(Fired());
    EXPECT_FALSE(form->CheckBox1->Checked());  // a one-time alarm disarms itself
    Acknowledge();
    desktop.Advance(60s);  // the later ticks of the minute find it disarmed
    EXPECT_FALSE(Fired());
}

TEST_F(AlarmCheckTest, HoursAndMinutesCompareAsNumbersAndTheSecondsNeverMatter) {
    int minute = 10;
    // Arms the hour text for a minute ahead and lets that minute pass.
    auto armAndWait = [&](const std::string& hourText) {
        minute += 2;
        form->CheckBox1->SetChecked(false);
        form->hour->SetText(hourText);
        form->min->SetText(std::to_string(minute));
        form->CheckBox1->SetChecked(true);
        AdvanceTo(7, minute, 59);  // the minute's last tick is at :50
    };
    for (const char* hourText : {"7", "07", " 7", "+7"}) {
        armAndWait(hourText);
        EXPECT_TRUE(Fired()) << hourText;
        Acknowledge();
    }
    for (const char* hourText : {"24", "-1", "7a", "x", "7 "}) {
        armAndWait(hourText);
        EXPECT_FALSE(Fired()) << hourText;
    }
}

TEST_F(AlarmCheckTest, AOneTimeAlarmForTomorrowFiresTomorrowNotToday) {
    form->datepick->UserSetDate(EncodeDate(2026, 7, 6));
    Arm("7", "30");
    desktop.Advance(31min);
    EXPECT_FALSE(Fired());
    desktop.Advance(24h);
    EXPECT_TRUE(Fired());
    EXPECT_EQ(Now(), "07-06 07:31:00");
}

TEST_F(AlarmCheckTest, AnEmptyFieldOrAnUntickedBoxSkipsTheTickDailyUpdateIncluded) {
    form->CheckBox8->SetChecked(true);
    Type(form->min, "30");  // no hour: nothing is armed, and the daily date is not updated
    form->CheckBox1->SetChecked(true);
    desktop.Advance(1h);
    EXPECT_FALSE(Fired());
    EXPECT_EQ(AlarmDate.Day, 5);  // today's date from the start-up, not from a tick
    desktop.Advance(24h);
    EXPECT_EQ(AlarmDate.Day, 5);
}

TEST_F(AlarmCheckTest, ADailyAlarmFiresOnceADayFor40Days) {
    form->CheckBox8->SetChecked(true);
    Arm("7", "30");
    int firings = 0;
    for (int day = 0; day < 40; ++day) {
        for (int minute = 0; minute < 24 * 60; ++minute) {
            desktop.Advance(1min);
            if (Fired()) {
                ++firings;
                EXPECT_EQ(Now().substr(6), "07:31:00") << "day " << day;  // seen at the minute's end
                Acknowledge();
            }
        }
    }
    EXPECT_EQ(firings, 40);
    EXPECT_TRUE(form->CheckBox1->Checked());  // it stays armed
    EXPECT_EQ(Stored("daily"), "true");
}

TEST_F(AlarmCheckTest, CheckAlarmFiresAtOnceWhateverTheState) {
    // Disarmed: it fires all the same and nothing is stored.
    form->chkalarmbtn->UserClick();
    EXPECT_TRUE(Fired());
    Acknowledge();
    // Armed once: it fires and disarms, deleting the stored alarm.
    Arm("23", "59");
    ASSERT_EQ(Stored("enabled"), "true");
    form->chkalarmbtn->UserClick();
    EXPECT_TRUE(Fired());
    EXPECT_FALSE(form->CheckBox1->Checked());
    EXPECT_FALSE(Stored("enabled"));
    Acknowledge();
}

// Stored for 7:00 today, the program started at the minutes given after it (the machine was off): up to
// five minutes late it fires as usual; later it stays silent, says which alarm it missed, and disarms.
TEST_F(AlarmCheckTest, AOneTimeAlarmPassedUnseenFiresWithinFiveMinutesElseIsReportedOnceAndDisarmed) {
    for (const auto& [late, fires] : {std::pair{300s, true}, std::pair{310s, false}}) {
        Store("enabled", "true");
        Store("hour", "7");
        Store("min", "0");
        Store("message", "Standup");
        Store("runapp", "/usr/bin/true");
        desktop.Clock().SetLocalTime(2026, 7, 5, 7, 0, 0);
        desktop.Clock().Set(desktop.Clock().Now() + late - 10s);
        Restart();
        if (fires) {
            ExpectMessage("Standup");
        } else {
            ExpectMessage(
                "The alarm set for 7:00 on 2026-07-05 did not go off at its time.\r\rIts message: Standup");
        }
        desktop.Advance(11s);  // the first check, 5 ms after the mark; the box closed acknowledges it
        EXPECT_EQ(desktop.Shell().executed.size(), fires ? 1u : 0u) << Now();
        EXPECT_FALSE(form->CheckBox1->Checked());
        EXPECT_FALSE(Stored("enabled"));
        desktop.Advance(1h);  // told once
        desktop.Shell().executed.clear();
    }
    // While the program runs: the machine sleeps across the alarm's moment and wakes 5 minutes late, or
    // later.
    form->CheckBox2->SetChecked(false);
    form->CheckBox5->SetChecked(false);
    for (const auto& [alarmHour, fires] : {std::pair{9, true}, std::pair{10, false}}) {
        Arm(std::to_string(alarmHour), "30");
        form->CheckBox1->SetChecked(true);  // the same minute again changes nothing
        if (!fires) {
            ExpectMessage("The alarm set for 10:30 on 2026-07-05 did not go off at its time.");
        }
        const auto wake = std::chrono::floor<std::chrono::days>(desktop.Clock().Now()) +
                          std::chrono::hours{alarmHour} + 35min + (fires ? 0s : 1s);
        desktop.Loop().Suspend(wake - desktop.Clock().Now());
        desktop.Advance(0ms);
        EXPECT_EQ(Fired(), fires) << Now();
        EXPECT_FALSE(form->CheckBox1->Checked());
        if (fires) Acknowledge();
    }
}

TEST_F(AlarmCheckTest, TheSystemHoldsAWakeUpForTheAlarmsNextMomentWhileItIsArmed) {
    const auto wakeUp = [this]() -> std::string {
        if (!desktop.WakeUp()) return "none";
        const SYSTEMTIME moment = desktop.Clock().LocalTimeAt(*desktop.WakeUp());
        char text[32];
        std::snprintf(text, sizeof text, "%02u-%02u %02u:%02u:%02u", moment.wMonth, moment.wDay, moment.wHour,
                      moment.wMinute, moment.wSecond);
        return text;
    };
    EXPECT_EQ(wakeUp(), "none");
    Arm("7", "30");  // a one-time alarm, held as soon as it is armed
    EXPECT_EQ(wakeUp(), "07-05 07:30:00");
    form->datepick->UserSetDate(EncodeDate(2026, 7, 9));
    desktop.Advance(11s);  // a new date is taken at the next check
    EXPECT_EQ(wakeUp(), "07-09 07:30:00");
    form->CheckBox1->SetChecked(false);
    EXPECT_EQ(wakeUp(), "none");
    // A daily alarm: today's moment until it fires, then tomorrow's; at midnight, the next day's.
    form->CheckBox8->SetChecked(true);
    form->CheckBox1->SetChecked(true);
    desktop.Advance(11s);
    EXPECT_EQ(wakeUp(), "07-05 07:30:00");
    desktop.Advance(31min);
    ASSERT_TRUE(Fired());
    Acknowledge();
    EXPECT_EQ(wakeUp(), "07-06 07:30:00");
    Type(form->hour, "0");
    Type(form->min, "0");
    desktop.Advance(11s);
    EXPECT_EQ(wakeUp(), "07-06 00:00:00");
    AdvanceTo(23, 59, 55);
    desktop.Advance(10s);  // fired at midnight
    EXPECT_EQ(wakeUp(), "07-07 00:00:00");
    Acknowledge();
    // A one-time alarm whose moment has passed needs no wake-up.
    form->CheckBox8->SetChecked(false);
    form->datepick->UserSetDate(EncodeDate(2026, 7, 5));
    desktop.Advance(11s);
    EXPECT_EQ(wakeUp(), "none");
}
