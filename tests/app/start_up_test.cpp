#include <algorithm>

#include "app/program.h"
#include "settings/startup_entry.h"
#include "tests/support/alarm_clock_test.h"
#include "tests/support/denied_registry_key.h"
#include "tests/support/raw_registry.h"

using StartUpTest = AlarmClockTest;

TEST_F(StartUpTest, TheFirstStartShowsTheWindowGreetsOnceAndTakesTodaysDate) {
    ExpectWelcome();
    Start();
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->message->Text(), "");  // no stored message empties the layout's text
    EXPECT_FALSE(form->CheckBox2->Checked());
    EXPECT_TRUE(form->message->Enabled());  // Message was unticked already, so nothing disabled the field
    EXPECT_EQ(form->datepick->Date(), EncodeDate(2026, 7, 5));
    EXPECT_EQ(AlarmDate.Year, 2026);
    EXPECT_EQ(AlarmDate.Month, 7);
    EXPECT_EQ(AlarmDate.Day, 5);
    EXPECT_FALSE(form->CheckBox1->Checked());
    EXPECT_EQ(form->qzTray1->Tip(), "Zelvo's Alarm Clock");
    // The icon is in the tray from the start.
    ASSERT_FALSE(desktop.Shell().notifyIconCalls.empty());
    EXPECT_EQ(desktop.Shell().notifyIconCalls[0].message, NIM_ADD);
    EXPECT_EQ(desktop.Shell().notifyIconCalls[0].data.uID, 1u);

    Restart();  // greeted once only
    EXPECT_TRUE(form->Visible());
    ASSERT_EQ(script.MessageBoxesShown().size(), 1u);
    // The welcome points to the README (run from the build tree, the source tree's), not to an address
    // nobody reads.
    const std::string& welcome = script.MessageBoxesShown()[0].text;
    EXPECT_TRUE(EndsWithAnExistingReadme(welcome)) << welcome;
    EXPECT_EQ(welcome.find('@'), std::string::npos);
}

TEST_F(StartUpTest, TheWelcomeComesBackOnlyWhenTheMarkerReadsFalse) {
    Store("intro", "false");
    ExpectWelcome();
    Start();
    Store("intro", "False");  // any other text suppresses it
    Restart();
    EXPECT_EQ(script.MessageBoxesShown().size(), 1u);
}

TEST_F(StartUpTest, AStoredArmedAlarmComesBackHiddenWithEveryBoxAsStored) {
    Store("enabled", "true");
    Store("hour", "6");
    Store("min", "45");
    Store("year", "2026");
    Store("month", "7");
    Store("day", "9");
    Store("message", "Alarm Executed!");  // the layout's own text still ticks Message
    Store("keeprunning", "true");
    Store("runapp", "/usr/bin/true");
    Store("closeafter", "true");
    Store("daily", "True");  // not exactly "true": ticks nothing
    Start();
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->qzTray1->Tip(), "Zelvo's Alarm Clock ENABLED");
    EXPECT_TRUE(form->CheckBox1->Checked());
    EXPECT_TRUE(form->CheckBox2->Checked());
    EXPECT_TRUE(form->message->Enabled());
    EXPECT_TRUE(form->CheckBox4->Checked());
    EXPECT_TRUE(form->CheckBox5->Checked());
    EXPECT_TRUE(form->CheckBox6->Checked());
    EXPECT_FALSE(form->CheckBox8->Checked());
    EXPECT_EQ(form->hour->Text(), "6");
    EXPECT_EQ(form->datepick->Date(), EncodeDate(2026, 7, 9));
    EXPECT_EQ(AlarmDate.Day, 9);
    EXPECT_EQ(StartupEntry(), OwnStartupCommand());  // written again for the next reboot
    EXPECT_EQ(Stored("day"), "9");
    EXPECT_EQ(Stored("daily"), "True");  // the load stores nothing
}

TEST_F(StartUpTest, AnUnreadableStoredDateGivesToday) {
    Store("enabled", "true");
    Store("hour", "6");
    Store("min", "45");
    Store("year", "2026");
    Store("month", "2");
    Store("day", "30");
    Start();
    EXPECT_EQ(form->datepick->Date(), EncodeDate(2026, 7, 5));
    EXPECT_EQ(Stored("month"), "2");  // the load stores nothing
}

// A value that cannot be read is told once the load is over, and the load goes on with the rest; the
// alarm firing while that box is open leaves nothing for the load to arm afterwards.
TEST_F(StartUpTest, AFailedReadIsToldAfterTheWholeLoadAndAnAlarmFiredMeanwhileStaysFired) {
    Store("intro", "done");
    Store("defhour", "6");
    Store("defmin", "15");
    Store("enabled", "true");
    Store("hour", "9");
    Store("min", "0");
    Store("runapp", "/usr/bin/true");
    Store("keeprunning", "true");
    WriteRawDword(HKEY_CURRENT_USER, SettingsKey, "message", 7);
    AdvanceTo(8, 59, 55);
    script.OnMessageBox([&](const headless::MessageBoxCall& box) {
        EXPECT_NE(box.text.find("message"), std::string::npos) << box.text;
        EXPECT_EQ(box.type, MB_OK | MB_ICONERROR);
        EXPECT_TRUE(form->CheckBox5->Checked());  // read after the value that failed
        EXPECT_EQ(ReadRawValue(HKEY_CURRENT_USER, SettingsKey, "message")->type, REG_DWORD);  // kept
        desktop.Advance(10s);  // the alarm comes while the box is open
        return IDOK;
    });
    Start();
    EXPECT_EQ(desktop.Shell().executed.size(), 1u);
    EXPECT_FALSE(form->CheckBox1->Checked());
    EXPECT_FALSE(Stored("enabled"));
    EXPECT_FALSE(StartupEntry());
    EXPECT_EQ(form->hour->Text(), "9");  // not the defaults' alarm
}

// A stored alarm that could never fire is not armed, and told once.
TEST_F(StartUpTest, AnAlarmStoredForNoTimeOfDayIsNotArmedAndToldOnce) {
    Store("intro", "done");
    Start();
    for (const auto& [hourText, minuteText] :
         {std::pair{"24", "0"}, std::pair{"7", "60"}, std::pair{"-1", "5"}, std::pair{"99999999999", "0"},
          std::pair{"seven", "0"}, std::pair{"", "30"}}) {
        Store("enabled", "true");
        Store("hour", hourText);
        Store("min", minuteText);
        ExpectMessage(std::string("The alarm stored for \"") + hourText + ":" + minuteText +
                      "\" could never go off: that is no time of day. It is not set; set a new one in the "
                      "settings window.");
        Restart();
        EXPECT_FALSE(form->CheckBox1->Checked()) << hourText << ":" << minuteText;
        EXPECT_FALSE(Stored("enabled"));
        Restart();  // told once
    }
}

TEST_F(StartUpTest, DefaultsWithATimeArmTheAlarmAndShowTheWindow) {
    Store("intro", "done");
    Store("defhour", "8");
    Store("defmin", "5");
    Store("defmessage", "Coffee");
    Store("defdaily", "true");
    Store("defcloseafter", "true");
    Start();
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(form->CheckBox1->Checked());
    EXPECT_EQ(Stored("enabled"), "true");
    EXPECT_EQ(form->message->Text(), "Coffee");
    EXPECT_TRUE(form->CheckBox8->Checked());
    EXPECT_FALSE(form->datepick->Enabled());
    EXPECT_TRUE(form->CheckBox6->Checked());
    Restart();  // the next start takes the armed path, with every box the defaults ticked
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->message->Text(), "Coffee");
    EXPECT_TRUE(form->CheckBox2->Checked());
    EXPECT_TRUE(form->CheckBox8->Checked());
    EXPECT_TRUE(form->CheckBox6->Checked());
}

TEST_F(StartUpTest, SetDefaultsStoresTheWindowAndTheNextStartLoadsThem) {
    ExpectWelcome();
    Start();
    Store("defmessage", "older");
    Store("defkeeprunning", "true");
    Type(form->hour, "6");
    form->CheckBox8->UserClick();
    form->CheckBox6->UserClick();
    ExpectMessage("Default settings saved.");
    form->Button3->UserClick();
    EXPECT_EQ(Stored("defhour"), "6");
    EXPECT_EQ(Stored("defmin"), "");         // written even when empty
    EXPECT_FALSE(Stored("defmessage"));      // Message unticked: the earlier text removed
    EXPECT_FALSE(Stored("defkeeprunning"));  // Keep Running unticked: removed
    EXPECT_EQ(Stored("defdaily"), "true");
    EXPECT_EQ(Stored("defcloseafter"), "true");
    EXPECT_FALSE(Stored("enabled"));  // nothing of the alarm itself

    Restart();
    EXPECT_EQ(form->hour->Text(), "6");
    EXPECT_EQ(form->message->Text(), "");
    EXPECT_FALSE(form->CheckBox2->Checked());
    EXPECT_TRUE(form->CheckBox8->Checked());
    EXPECT_FALSE(form->CheckBox1->Checked());
}

TEST_F(StartUpTest, AStoredMediaFileIsOpenedAndTickedWithoutAsking) {
    Store("intro", "done");
    Store("defsound", "/music/bell.wav");
    Start();  // no dialog is scripted: one would fail the test
    EXPECT_TRUE(form->CheckBox3->Checked());
    EXPECT_TRUE(form->MediaPlayer1->IsOpen());
    EXPECT_EQ(form->MediaPlayer1->FileName(), "/music/bell.wav");
    // Ticked again by the user, it asks from the stored file.
    form->CheckBox3->UserClick();
    script.OnOpenDialog([](const widgetset::OpenFileRequest& request) -> std::optional<std::string> {
        EXPECT_EQ(request.initialFile, "/music/bell.wav");
        return std::nullopt;
    });
    form->CheckBox3->UserClick();

    // A file that cannot be opened is reported, and stays chosen for the alarm to try again.
    desktop.Media().failToOpen.insert("/music/bell.wav");
    script.OnMessageBox([](const headless::MessageBoxCall& box) {
        EXPECT_EQ(box.text, "Cannot open /music/bell.wav: the file is not a playable media file");
        return IDOK;
    });
    Restart();
    EXPECT_TRUE(form->CheckBox3->Checked());
    EXPECT_EQ(form->MediaPlayer1->FileName(), "/music/bell.wav");
}

TEST_F(StartUpTest, TheProgramRunsUntilItsWindowClosesWhichKeepsTheStoredAlarm) {
    Store("intro", "done");
    Store("enabled", "true");
    Store("hour", "9");
    Store("min", "0");
    desktop.Loop().Schedule(1h, [&] {
        EXPECT_FALSE(Form1->Visible());  // the loop never shows the window by itself
        TrayClick(WM_LBUTTONDBLCLK);
        EXPECT_TRUE(Form1->Visible());
        Form1->UserClose();  // the title bar's close button
    });
    RunAlarmClock();
    EXPECT_TRUE(application->Terminated());
    EXPECT_EQ(application->Title(), "Zelvo's Alarm Clock");
    EXPECT_EQ(Stored("enabled"), "true");
    Form1->Free();
    // Freeing the form took the icon away.
    EXPECT_EQ(desktop.Shell().notifyIconCalls.back().message, NIM_DELETE);
}

TEST_F(StartUpTest, ASecondStartBringsTheRunningWindowUpInsteadOfArmingAgain) {
    Store("enabled", "true");
    Store("hour", "6");
    Store("min", "0");
    ASSERT_TRUE(application->ClaimSingleInstance("alarmclock"));
    Start();
    form->SetWindowState(wsMinimized);
    ASSERT_FALSE(form->Visible());
    // What a second process's claim does to this one: it gives way, and this window comes up.
    EXPECT_FALSE(
        CurrentWidgetset().ClaimInstance("alarmclock", [](const std::string&) -> widgetset::InstanceAnswer {
            ADD_FAILURE() << "the holder gave way";
            return {};
        }));
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->WindowState(), wsNormal);
    const auto& calls = desktop.Shell().notifyIconCalls;
    EXPECT_EQ(
        std::count_if(calls.begin(), calls.end(), [](const auto& call) { return call.message == NIM_ADD; }),
        1);  // one icon, one armed alarm
}

TEST_F(StartUpTest, WithoutANotificationAreaAnArmedStartKeepsTheWindowMinimized) {
    Store("intro", "done");
    Store("enabled", "true");
    Store("hour", "9");
    Store("min", "0");
    desktop.SetNotificationArea(false);
    desktop.Loop().Schedule(1s, [&] {
        EXPECT_TRUE(Form1->Visible());
        EXPECT_EQ(Form1->WindowState(), wsMinimized);
        EXPECT_TRUE(Form1->CheckBox1->Checked());
        Form1->Close();
    });
    RunAlarmClock();
    Form1->Free();
}

// After an upgrade from a version that kept the entry under the machine's RunOnce key, which a standard
// user may not change: the start writes the user's entry, says nothing of the machine's key, and the
// alarm still comes with every notification and clears the user's entry.
TEST_F(StartUpTest, AnOldEntryUnderADeniedMachineKeyCostsTheAlarmNothing) {
    Store("enabled", "true");
    Store("hour", "7");
    Store("min", "30");
    Store("message", "Time to get up");
    Store("runapp", "/usr/bin/true");
    Store("keeprunning", "true");
    const std::string old = "/opt/alarm/alarmclock";
    WriteRawString(HKEY_LOCAL_MACHINE, kMachineRunOnceKey, "alarmclock", old);
    DenyValueChanges(HKEY_LOCAL_MACHINE, kMachineRunOnceKey);

    Start();
    EXPECT_EQ(StartupEntry(), OwnStartupCommand());
    EXPECT_TRUE(script.MessageBoxesShown().empty());
    ExpectMessage("Time to get up");
    AdvanceTo(7, 30, 5);
    EXPECT_EQ(script.MessageBoxesShown().size(), 1u);
    EXPECT_EQ(desktop.Shell().executed.size(), 1u);
    EXPECT_FALSE(StartupEntry());
    EXPECT_EQ(ReadRawValue(HKEY_LOCAL_MACHINE, kMachineRunOnceKey, "alarmclock")->bytes, old + '\0');
}
