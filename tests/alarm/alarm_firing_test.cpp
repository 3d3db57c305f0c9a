#include <algorithm>
#include <vector>

#include "tests/support/alarm_clock_test.h"

namespace {

using headless::MediaEvent;

class AlarmFiringTest : public AlarmClockTest {
  protected:
    AlarmFiringTest() {
        ExpectWelcome();
        Start();
    }
    // Ticks "Play Media" and picks the file in the dialog that opens.
    void ChooseMedia(const std::string& file) {
        script.OnOpenDialog([file](const widgetset::OpenFileRequest& request) -> std::optional<std::string> {
            EXPECT_EQ(request.defaultExt, "wav");
            return file;
        });
        form->CheckBox3->UserClick();
    }
    // The first start leaves the message empty and its box unticked: the user ticks it, then types.
    void WriteMessage(const std::string& text) {
        form->CheckBox2->UserClick();
        Type(form->message, text);
    }
    void ArmAt730() {
        Type(form->hour, "7");
        Type(form->min, "30");
    }
    const std::vector<headless::ShellExecuteCall>& Launched() const { return desktop.Shell().executed; }
};

}  // namespace

TEST_F(AlarmFiringTest, AOneTimeAlarmDisarmsThenPlaysShowsAndLaunchesInThatOrder) {
    ChooseMedia("/music/wake up.wav");
    Type(form->runapp, "/usr/bin/notify-send Good morning");
    WriteMessage("Time to get up!");
    form->CheckBox4->UserClick();  // Keep Running
    ArmAt730();
    ASSERT_EQ(Stored("enabled"), "true");
    ASSERT_EQ(StartupEntry(), OwnStartupCommand());

    script.OnMessageBox([&](const headless::MessageBoxCall& box) {
        EXPECT_EQ(box.text, "Time to get up!");
        EXPECT_EQ(box.caption, "Zelvo's Alarm Clock");
        EXPECT_EQ(box.type, MB_OK);
        // Before the first notification the alarm was disarmed, its copy deleted, the entry cleared.
        EXPECT_FALSE(form->CheckBox1->Checked());
        EXPECT_FALSE(Stored("enabled"));
        EXPECT_FALSE(StartupEntry());
        EXPECT_EQ(form->qzTray1->Tip(), "Zelvo's Alarm Clock");
        // The media plays on while the box is open; the application waits for the box.
        EXPECT_EQ(desktop.Media().log.back(), (MediaEvent{MediaEvent::Kind::Play, "/music/wake up.wav"}));
        EXPECT_TRUE(Launched().empty());
        EXPECT_TRUE(form->TrayTimer->Enabled());
        return IDOK;
    });
    AdvanceTo(7, 30, 5);
    ASSERT_EQ(Launched().size(), 1u);
    const headless::ShellExecuteCall& launch = Launched()[0];
    EXPECT_EQ(launch.owner, nullptr);
    EXPECT_EQ(launch.operation, "Open");
    EXPECT_EQ(launch.file, "/usr/bin/notify-send");
    EXPECT_EQ(launch.parameters, "Good morning");
    EXPECT_EQ(launch.directory, "");
    EXPECT_FALSE(launch.directoryIsNull);
    EXPECT_EQ(launch.showCommand, SW_SHOW);
    EXPECT_FALSE(form->TrayTimer->Enabled());  // closing the message stopped the flashing
    EXPECT_TRUE(form->CheckBox4->Checked());   // Keep Running stays ticked, its entry cleared

    // Armed again and saved with Done, the alarm comes back at the next logon: the entry is written again.
    form->OnShowSettings(nullptr);
    Type(form->min, "45");
    form->Button1->UserClick();
    EXPECT_EQ(Stored("enabled"), "true");
    EXPECT_EQ(StartupEntry(), OwnStartupCommand());
}

TEST_F(AlarmFiringTest, WithoutAMessageTheApplicationStartsAtOnceAndTheIconFlashesUntilClicked) {
    Type(form->runapp, "/usr/bin/true");
    form->CheckBox2->SetChecked(false);
    ArmAt730();
    AdvanceTo(7, 30, 5);
    ASSERT_EQ(Launched().size(), 1u);
    EXPECT_EQ(Launched()[0].parameters, "");
    desktop.Advance(1min);
    EXPECT_TRUE(form->TrayTimer->Enabled());
    TrayClick(WM_LBUTTONDOWN);
    EXPECT_FALSE(form->TrayTimer->Enabled());
}

TEST_F(AlarmFiringTest, WithNoNotificationTheAlarmStillFlashesClearsTheEntryAndDisarms) {
    form->CheckBox2->SetChecked(false);
    form->CheckBox4->SetChecked(true);
    ArmAt730();
    AdvanceTo(7, 31);
    EXPECT_TRUE(form->TrayTimer->Enabled());
    EXPECT_FALSE(StartupEntry());
    EXPECT_FALSE(form->CheckBox1->Checked());
    EXPECT_TRUE(script.MessageBoxesShown().size() == 1u);  // only the welcome
}

TEST_F(AlarmFiringTest, AMediaFileThatCannotPlayIsReportedAndTheOtherNotificationsStillCome) {
    ChooseMedia("/music/broken.wav");
    desktop.Media().failToPlay.insert("/music/broken.wav");
    Type(form->runapp, "/usr/bin/true");
    WriteMessage("Wake up");
    ArmAt730();
    ExpectMessage("Wake up");  // the message first, then what went wrong
    script.OnMessageBox([](const headless::MessageBoxCall& box) {
        EXPECT_EQ(box.text, "Cannot play /music/broken.wav: the device failed");
        EXPECT_EQ(box.type, MB_OK | MB_ICONERROR);
        return IDOK;
    });
    AdvanceTo(7, 30, 5);
    EXPECT_EQ(Launched().size(), 1u);
    EXPECT_FALSE(form->CheckBox1->Checked());
}

TEST_F(AlarmFiringTest, AfterAPlaybackThePlayerIsOpenAgainAndPlaysFromTheStartNextTime) {
    ChooseMedia("/music/bell.wav");
    desktop.Media().durations["/music/bell.wav"] = 4s;
    form->CheckBox2->SetChecked(false);
    form->CheckBox8->SetChecked(true);  // daily, so it fires again tomorrow
    ArmAt730();
    AdvanceTo(7, 30, 1);  // fires on the 7:30:00 tick
    desktop.Media().log.clear();
    desktop.Advance(4s);
    // The end of the playback while the alarm sounds: closed, opened again on the same file, played again.
    EXPECT_EQ(desktop.Media().log, (std::vector<MediaEvent>{{MediaEvent::Kind::Finished, "/music/bell.wav"},
                                                            {MediaEvent::Kind::Close, "/music/bell.wav"},
                                                            {MediaEvent::Kind::Open, "/music/bell.wav"},
                                                            {MediaEvent::Kind::Play, "/music/bell.wav"}}));
    EXPECT_TRUE(form->MediaPlayer1->Notify());
    TrayClick(WM_LBUTTONDOWN);
    desktop.Media().log.clear();
    desktop.Advance(24h - 2s);  // the next day's alarm has played for three seconds of its four
    EXPECT_EQ(desktop.Media().log, (std::vector<MediaEvent>{{MediaEvent::Kind::Open, "/music/bell.wav"},
                                                            {MediaEvent::Kind::Play, "/music/bell.wav"}}));
}

// The file goes away while it plays: the player, made ready again at the end, says so then, and the program's
// tone sounds on; the next alarm tries the file again, says why it cannot play it and sounds the program's
// own tone until that box is closed, and plays the file once it is back.
TEST_F(AlarmFiringTest, AMediaFileGoneIsReportedWhereverItIsFoundMissingSoundsTheToneAndPlaysOnceBack) {
    ChooseMedia("/music/bell.wav");
    form->CheckBox2->SetChecked(false);
    form->CheckBox8->SetChecked(true);  // daily
    ArmAt730();
    AdvanceTo(7, 30, 1);
    EXPECT_FALSE(desktop.Media().alarmTone);
    desktop.Media().failToOpen.insert("/music/bell.wav");
    const std::string gone = "Cannot open /music/bell.wav: the file is not a playable media file";
    ExpectMessage(gone);
    desktop.Advance(3s);
    EXPECT_FALSE(form->MediaPlayer1->IsOpen());
    EXPECT_TRUE(desktop.Media().alarmTone);  // the ringing goes on in the program's own tone
    script.OnMessageBox([&](const headless::MessageBoxCall& box) {
        EXPECT_EQ(box.text, gone);
        EXPECT_TRUE(desktop.Media().alarmTone);
        return IDOK;
    });
    desktop.Advance(24h);
    EXPECT_FALSE(desktop.Media().alarmTone);
    desktop.Media().failToOpen.clear();
    desktop.Advance(24h - 2s);  // the third day's alarm plays the file once, not yet again
    EXPECT_EQ(std::count(desktop.Media().log.begin(), desktop.Media().log.end(),
                         MediaEvent{MediaEvent::Kind::Play, "/music/bell.wav"}),
              2);
}

TEST_F(AlarmFiringTest, TicksAndTrayClicksGoOnWhileTheMessageWaitsWithoutASecondFiring) {
    WriteMessage("Wake up");
    ArmAt730();
    form->CheckBox8->SetChecked(true);  // daily: only the guard keeps a nested tick from firing again
    script.OnMessageBox([&](const headless::MessageBoxCall&) {
        desktop.Advance(1500ms);  // the icon flashes inside the box's loop
        EXPECT_EQ(ShownIcon(), Icon("FILLEDICON"));
        TrayClick(WM_LBUTTONDOWN);  // a click acknowledges while the box is open
        EXPECT_FALSE(form->TrayTimer->Enabled());
        EXPECT_EQ(ShownIcon(), Icon("MAINICON"));
        desktop.Advance(1min);  // six more ticks of the check inside the same minute and after
        return IDOK;
    });
    AdvanceTo(7, 30, 5);
    EXPECT_EQ(script.MessageBoxesShown().size(), 2u);  // the welcome and one alarm message
}

TEST_F(AlarmFiringTest, AStoredOneTimeAlarmComesBackWithItsDateAndFiresAfterARestart) {
    form->datepick->UserSetDate(EncodeDate(2026, 7, 6));
    form->CheckBox4->UserClick();
    ArmAt730();
    ASSERT_EQ(Stored("day"), "6");
    desktop.Advance(1h);
    Restart();  // as the run-once entry would start it after a reboot
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->datepick->Date(), EncodeDate(2026, 7, 6));
    EXPECT_EQ(Stored("day"), "6");  // the save during loading kept the date
    AdvanceTo(23, 59, 59);
    EXPECT_FALSE(form->TrayTimer->Enabled());  // not today
    desktop.Advance(7h + 30min + 2s);
    EXPECT_TRUE(form->TrayTimer->Enabled());  // fired at 7:30 on the 6th
    EXPECT_FALSE(Stored("enabled"));
}
