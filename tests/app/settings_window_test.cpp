#include <algorithm>
#include <fstream>
#include <functional>

#include "tests/support/alarm_clock_test.h"

namespace {

class SettingsWindowTest : public AlarmClockTest {
  protected:
    SettingsWindowTest() {
        Store("intro", "done");
        Start();
    }
    std::vector<std::string> MenuShown() {
        std::vector<std::string> captions;
        script.OnPopupMenu([&](const headless::PopupMenuCall& call) -> TMenuItem* {
            for (TMenuItem* item : call.shownItems) captions.push_back(item->Caption());
            return nullptr;
        });
        TrayClick(WM_RBUTTONDOWN);
        return captions;
    }
    void ExpectQuestion(int answer) {
        script.OnMessageBox([answer](const headless::MessageBoxCall& box) {
            EXPECT_EQ(box.text,
                      "You've not chosen any methods of notification.\r"
                      "There will only be a flashing icon in the tray.\r"
                      "Are you sure this is what you want?");
            EXPECT_EQ(box.caption, "Zelvo's Alarm - Option verification");
            EXPECT_EQ(box.type, MB_YESNO);
            EXPECT_EQ(box.owner, Application->Handle());  // the application's window, not the form's
            return answer;
        });
    }
};

}  // namespace

TEST_F(SettingsWindowTest, TheMinuteFieldArmsAndDisarmsTheAlarm) {
    Type(form->min, "3");  // no hour yet: nothing is armed
    EXPECT_FALSE(form->CheckBox1->Checked());
    Type(form->hour, "7");  // a change of the hour runs nothing
    EXPECT_FALSE(form->CheckBox1->Checked());
    EXPECT_FALSE(Stored("enabled"));
    Type(form->min, "");
    Type(form->min, "3");  // the first minute character with an hour present arms and saves at once
    EXPECT_TRUE(form->CheckBox1->Checked());
    EXPECT_EQ(Stored("min"), "3");
    EXPECT_EQ(form->qzTray1->Tip(), "Zelvo's Alarm Clock ENABLED");
    Type(form->min, "30");  // while both stay filled nothing is saved again
    EXPECT_EQ(Stored("min"), "3");
    Type(form->min, "300");  // a third character is refused
    EXPECT_EQ(form->min->Text(), "30");
    Type(form->min, "");  // emptied: disarmed, the stored alarm and the entry cleared at once
    EXPECT_FALSE(form->CheckBox1->Checked());
    EXPECT_FALSE(Stored("enabled"));
    EXPECT_FALSE(StartupEntry());
    EXPECT_EQ(form->qzTray1->Tip(), "Zelvo's Alarm Clock");
}

TEST_F(SettingsWindowTest, TheMessageBoxFollowsItsFieldAndEnablesIt) {
    form->CheckBox2->UserClick();
    EXPECT_TRUE(form->message->Enabled());
    Type(form->message, "Up");
    Type(form->message, "");  // the last character deleted: unticked and disabled
    EXPECT_FALSE(form->CheckBox2->Checked());
    EXPECT_FALSE(form->message->Enabled());
    form->CheckBox2->UserClick();  // ticking enables it again, the text untouched
    EXPECT_TRUE(form->message->Enabled());
    form->CheckBox2->UserClick();
    Type(form->message, "x");  // a disabled field takes no typing
    EXPECT_EQ(form->message->Text(), "");
    form->message->SetText("Up");  // text set while the box is unticked ticks it
    EXPECT_TRUE(form->CheckBox2->Checked());
}

TEST_F(SettingsWindowTest, PickFillsTheCommandAndCancelChangesNothing) {
    script.OnOpenDialog([](const widgetset::OpenFileRequest& request) -> std::optional<std::string> {
        EXPECT_EQ(request.title, "Select an application to run:");
        EXPECT_EQ(request.filter, "Executable File|*.exe");
        EXPECT_EQ(request.defaultExt, "exe");
        EXPECT_EQ(request.kind, widgetset::FileKind::Program);  // the Linux desktop lists its programs instead
        return "/opt/My Apps/wake up";
    });
    form->pickappbutton->UserClick();
    EXPECT_EQ(form->runapp->Text(), "/opt/My Apps/wake up");  // the full path, no quotes
    EXPECT_TRUE(form->CheckBox5->Checked());
    form->CheckBox5->UserClick();  // the box has no handler: the user may untick it against its field
    script.OnOpenDialog([](const widgetset::OpenFileRequest&) { return std::nullopt; });
    form->pickappbutton->UserClick();
    EXPECT_EQ(form->runapp->Text(), "/opt/My Apps/wake up");
    EXPECT_FALSE(form->CheckBox5->Checked());
}

TEST_F(SettingsWindowTest, PlayMediaAlwaysAsksAndCancelUnticksIt) {
    script.OnOpenDialog([](const widgetset::OpenFileRequest& request) -> std::optional<std::string> {
        EXPECT_EQ(request.title, "");  // the system's default caption
        EXPECT_EQ(request.defaultExt, "wav");
        EXPECT_EQ(request.kind, widgetset::FileKind::Media);
        return "/music/one.wav";
    });
    form->CheckBox3->UserClick();
    EXPECT_TRUE(form->MediaPlayer1->IsOpen());
    EXPECT_EQ(form->MediaPlayer1->DeviceType(), dtAutoSelect);
    form->CheckBox3->UserClick();  // unticked: the file stays chosen and open
    EXPECT_EQ(form->MediaPlayer1->FileName(), "/music/one.wav");
    EXPECT_TRUE(form->MediaPlayer1->IsOpen());
    script.OnOpenDialog([](const widgetset::OpenFileRequest&) { return std::nullopt; });
    form->CheckBox3->UserClick();  // asks again although a file was chosen; cancelled
    EXPECT_FALSE(form->CheckBox3->Checked());
    // A file that cannot be opened is reported; the box stays ticked with the new name.
    desktop.Media().failToOpen.insert("/music/bad.mid");
    script.OnOpenDialog(
        [](const widgetset::OpenFileRequest&) -> std::optional<std::string> { return "/music/bad.mid"; });
    script.AnswerMessageBox(IDOK);
    form->CheckBox3->UserClick();
    EXPECT_TRUE(form->CheckBox3->Checked());
    EXPECT_EQ(form->MediaPlayer1->FileName(), "/music/bad.mid");
}

TEST_F(SettingsWindowTest, DoneAsksOnlyWithoutANotificationAndNoKeepsTheWindow) {
    Type(form->hour, "7");
    Type(form->min, "30");
    Store("enabled", "stale");
    ExpectQuestion(IDNO);
    form->Button1->UserClick();
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(Stored("enabled"), "stale");  // nothing saved

    ExpectQuestion(IDYES);
    form->Button1->UserClick();
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(Stored("enabled"), "true");  // saved from the current fields

    form->Show();
    form->CheckBox1->SetChecked(false);
    Store("enabled", "stale");
    Type(form->runapp, "/usr/bin/true");  // a notification: no question
    form->Button1->UserClick();
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(Stored("enabled"));  // "Alarm Enabled" unticked: Done clears
}

TEST_F(SettingsWindowTest, TheTrayMenuOffersShowOrHideAndAlwaysExit) {
    EXPECT_EQ(MenuShown(), (std::vector<std::string>{"Hide Settings", "Exit Program"}));
    form->Hide();
    EXPECT_EQ(MenuShown(), (std::vector<std::string>{"Show Settings", "Exit Program"}));
    script.OnPopupMenu([&](const headless::PopupMenuCall& call) { return call.shownItems[0]; });
    TrayClick(WM_RBUTTONDOWN);
    EXPECT_TRUE(form->Visible());
    form->CheckBox8->SetChecked(true);
    form->TrayTimer->SetEnabled(true);
    form->showsettings->Click();  // unlike the double click, it leaves the flashing alone
    EXPECT_TRUE(form->TrayTimer->Enabled());
    form->TrayTimer->SetEnabled(false);
}

// Minimized by the user or by an armed start without a notification area: the menu offers to show the
// window, and every way of showing it brings it back restored and raised.
TEST_F(SettingsWindowTest, AMinimizedWindowIsOfferedAndComesBackRestoredAndRaised) {
    const auto showSettings = [&] {
        script.OnPopupMenu([](const headless::PopupMenuCall& call) { return call.shownItems[0]; });
        TrayClick(WM_RBUTTONDOWN);
    };
    const auto doubleClick = [&] { TrayClick(WM_LBUTTONDBLCLK); };
    const auto anotherStart = [&] { EXPECT_FALSE(application->ClaimSingleInstance("alarmclock-test")); };
    EXPECT_TRUE(application->ClaimSingleInstance("alarmclock-test"));
    for (const auto& show : {std::function<void()>(showSettings), std::function<void()>(doubleClick),
                             std::function<void()>(anotherStart)}) {
        form->SetWindowState(wsMinimized);
        EXPECT_EQ(MenuShown(), (std::vector<std::string>{"Show Settings", "Exit Program"}));
        const int raised = desktop.PeerUpdates(*form, widgetset::Aspect::ZOrder);
        show();
        EXPECT_TRUE(form->Visible());
        EXPECT_EQ(form->WindowState(), wsNormal);
        EXPECT_EQ(desktop.PeerUpdates(*form, widgetset::Aspect::ZOrder), raised + 1);
        EXPECT_EQ(MenuShown(), (std::vector<std::string>{"Hide Settings", "Exit Program"}));
    }
}

TEST_F(SettingsWindowTest, ExitProgramClearsTheStoredAlarmButTheTitleBarCloseDoesNot) {
    form->CheckBox4->UserClick();
    Type(form->hour, "7");
    Type(form->min, "30");
    Store("defhour", "6");
    form->UserClose();
    EXPECT_TRUE(application->Terminated());
    EXPECT_EQ(Stored("enabled"), "true");
    EXPECT_EQ(StartupEntry(), OwnStartupCommand());

    Restart();
    script.OnPopupMenu([&](const headless::PopupMenuCall&) { return form->exitprogram; });
    TrayClick(WM_RBUTTONDOWN);
    EXPECT_FALSE(Stored("enabled"));
    EXPECT_FALSE(StartupEntry());
    EXPECT_EQ(Stored("defhour"), "6");
    EXPECT_FALSE(form->Visible());
}

// Without a notification area nothing of the program vanishes: Done and the title bar's close minimize the
// window, the alarm stored and the program running on; a notification area that comes takes over as usual,
// and one that goes away gives the hidden window back to the taskbar at the next check. A ringing alarm
// without a message shows the box there, with the program's name, and its OK stops the ringing.
TEST_F(SettingsWindowTest, WithoutANotificationAreaTheProgramStaysWithinReach) {
    desktop.SetNotificationArea(false);
    Type(form->message, "Wake up");
    Type(form->hour, "9");
    Type(form->min, "0");
    Type(form->min, "05");  // stored when put away
    form->Button1->UserClick();
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->WindowState(), wsMinimized);
    EXPECT_EQ(Stored("min"), "05");
    form->ShowRestored();
    form->UserClose();
    EXPECT_FALSE(application->Terminated());
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->WindowState(), wsMinimized);

    desktop.SetNotificationArea(true);
    form->ShowRestored();
    form->Button1->UserClick();
    EXPECT_FALSE(form->Visible());
    desktop.SetNotificationArea(false);
    desktop.Advance(11s);  // the check ticks a little after each ten seconds
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->WindowState(), wsMinimized);

    form->CheckBox2->SetChecked(false);
    script.OnMessageBox([&](const headless::MessageBoxCall& box) {
        EXPECT_EQ(box.text, "Zelvo's Alarm Clock");
        EXPECT_TRUE(form->TrayTimer->Enabled());
        return IDOK;
    });
    form->chkalarmbtn->UserClick();
    EXPECT_FALSE(form->TrayTimer->Enabled());
}

TEST_F(SettingsWindowTest, ARegistryFailureInAHandlerIsReportedAndTheProgramGoesOn) {
    // The registry moves to a file that is not a database (the fixture puts the location back).
    TemporaryDirectory broken;
    const auto database = broken.path() / "registry.db";
    std::ofstream(database, std::ios::binary) << std::string(4096, 'x');
    setenv("ALARMCLOCK_PREFIX", broken.path().c_str(), 1);
    const auto reportsTheDatabase = [&](const headless::MessageBoxCall& box) {
        EXPECT_NE(box.text.find(database.string()), std::string::npos) << box.text;
        EXPECT_EQ(box.type, MB_OK | MB_ICONERROR);
        return IDOK;
    };
    script.OnMessageBox(reportsTheDatabase);
    Type(form->hour, "7");
    Type(form->min, "30");  // arms; the save fails at its first write
    EXPECT_TRUE(form->CheckBox1->Checked());
    EXPECT_EQ(form->qzTray1->Tip(), "Zelvo's Alarm Clock ENABLED");  // it rings all the same
    // The alarm rings first; that disarming could not be stored is told while it rings.
    script.OnMessageBox([&](const headless::MessageBoxCall& box) {
        EXPECT_TRUE(form->TrayTimer->Enabled());
        return reportsTheDatabase(box);
    });
    desktop.Advance(31min);
    EXPECT_FALSE(form->CheckBox1->Checked());
    EXPECT_EQ(form->qzTray1->Tip(), "Zelvo's Alarm Clock");
    EXPECT_EQ(script.MessageBoxesShown().size(), 2u);  // the next checks try again without a word
}

TEST_F(SettingsWindowTest, ThePictureShowsTheAboutText) {
    script.OnMessageBox([](const headless::MessageBoxCall& box) {
        EXPECT_EQ(std::count(box.text.begin(), box.text.end(), '\r'), 12);  // 13 lines
        // It points to the README (run from the build tree, the source tree's), not to an address nobody reads.
        EXPECT_TRUE(EndsWithAnExistingReadme(box.text)) << box.text;
        EXPECT_EQ(box.text.find('@'), std::string::npos);
        EXPECT_EQ(box.caption, "Zelvo's Alarm Clock");
        EXPECT_EQ(box.type, MB_OK);
        return IDOK;
    });
    form->Image1->UserClick();
}

TEST_F(SettingsWindowTest, AlarmDailyDisablesTheDatePickerWithoutTouchingTheDate) {
    form->datepick->UserSetDate(EncodeDate(2026, 8, 1));
    form->CheckBox8->UserClick();
    EXPECT_FALSE(form->datepick->Enabled());
    EXPECT_EQ(form->datepick->Date(), EncodeDate(2026, 8, 1));
    EXPECT_EQ(AlarmDate.Month, 8);
    form->CheckBox8->UserClick();
    EXPECT_TRUE(form->datepick->Enabled());
}
