#include <functional>
#include <optional>

#include "framework/error_reporting.h"
#include "framework/widgetset/widgetset.h"
#include "tests/support/alarm_clock_test.h"
#include "tests/support/registry_write_lock.h"

namespace {

class TrayAlertTest : public AlarmClockTest {
  protected:
    TrayAlertTest() {
        Store("intro", "done");
        Start();
    }
    // Fires with no message box, so the icon flashes until a click.
    void Fire() {
        form->CheckBox2->SetChecked(false);
        form->chkalarmbtn->UserClick();
    }
};

}  // namespace

TEST_F(TrayAlertTest, TheIconAlternatesOnceASecondStartingASecondAfterTheFiring) {
    Fire();
    EXPECT_EQ(ShownIcon(), Icon("MAINICON"));
    desktop.Advance(999ms);
    EXPECT_EQ(ShownIcon(), Icon("MAINICON"));
    desktop.Advance(1ms);
    EXPECT_EQ(ShownIcon(), Icon("FILLEDICON"));
    EXPECT_EQ(form->TrayTimer->Tag(), 1);
    desktop.Advance(1s);
    EXPECT_EQ(ShownIcon(), Icon("MAINICON"));
    EXPECT_EQ(form->TrayTimer->Tag(), form->qzTray1->IconIndex());
}

// Another program (the sqlite3 shell, say) holds the registry's write lock when the alarm clears the
// start-up entry: the icon flashes on meanwhile, a click on it waits for the write to end, and the entry is
// cleared once the lock is let go.
TEST_F(TrayAlertTest, TheIconFlashesOnWhileTheRegistryIsLockedAndAClickWaitsForTheWriteToEnd) {
    form->CheckBox4->UserClick();  // Keep Running: the firing clears its start-up entry
    ASSERT_TRUE(StartupEntry());
    std::optional<RegistryWriteLock> lock(std::in_place, registryPrefix.database());
    const std::size_t shown = desktop.Shell().notifyIconCalls.size();
    std::size_t flashedInWait = 0;
    desktop.Loop().Schedule(1500ms, [&] { TrayClick(WM_LBUTTONDOWN); });
    widgetset::TimerId letGo = 0;
    letGo = CurrentWidgetset().StartAnimationTimer(3500, [&] {
        flashedInWait = desktop.Shell().notifyIconCalls.size() - shown;
        lock.reset();
        CurrentWidgetset().StopTimer(letGo);
    });
    Fire();
    EXPECT_EQ(flashedInWait, 3u);  // at 1, 2 and 3 s
    EXPECT_FALSE(StartupEntry());
    EXPECT_TRUE(form->TrayTimer->Enabled());
    desktop.Advance(0ms);
    EXPECT_FALSE(form->TrayTimer->Enabled());  // the click came after the write
}

TEST_F(TrayAlertTest, ASingleClickStopsTheFlashingWithTheNormalIconBack) {
    Fire();
    desktop.Advance(1s);  // the filled icon shows
    const auto sent = desktop.Shell().notifyIconCalls.size();
    TrayClick(WM_LBUTTONDOWN);
    EXPECT_EQ(ShownIcon(), Icon("MAINICON"));
    EXPECT_EQ(form->TrayTimer->Tag(), 0);
    EXPECT_FALSE(form->TrayTimer->Enabled());
    desktop.Advance(10s);
    EXPECT_EQ(desktop.Shell().notifyIconCalls.size(), sent + 1);  // one step back, then quiet

    Fire();
    desktop.Advance(2s);  // the normal icon shows: a click stops without a step
    const auto before = desktop.Shell().notifyIconCalls.size();
    TrayClick(WM_LBUTTONDOWN);
    EXPECT_EQ(desktop.Shell().notifyIconCalls.size(), before);
    EXPECT_FALSE(form->TrayTimer->Enabled());
}

TEST_F(TrayAlertTest, ClosingTheMessageOnTheFilledIconBringsTheNormalIconBack) {
    form->CheckBox2->UserClick();
    Type(form->message, "Wake up");
    script.OnMessageBox([&](const headless::MessageBoxCall&) {
        desktop.Advance(1s);
        return IDOK;
    });
    form->chkalarmbtn->UserClick();  // with the message
    EXPECT_FALSE(form->TrayTimer->Enabled());
    EXPECT_EQ(ShownIcon(), Icon("MAINICON"));
    EXPECT_EQ(form->TrayTimer->Tag(), 0);
}

// The desktop's notice tells the ringing from the tray icon, with the message or with the program's name
// alone. Its Snooze is the tray menu's, the notice coming back with the ringing; its Stop is a click on the
// icon (which, with "Exit when done", ends the program); and however the alarm is answered, the notice goes.
TEST_F(TrayAlertTest, TheNoticeStopsAsAClickDoesAndGoesWithEveryAcknowledgement) {
    const auto answer = [&](const std::string& caption) {
        for (const auto& [shown, run] : desktop.AlarmNotice()->answers) {
            if (shown == caption)
                return ReportErrors(std::function<void()>(run));  // a copy: it closes the notice
        }
        ADD_FAILURE() << "no answer " << caption;
    };
    Fire();
    ASSERT_TRUE(desktop.AlarmNotice());
    EXPECT_EQ(desktop.AlarmNotice()->title, "Zelvo's Alarm Clock");
    EXPECT_EQ(desktop.AlarmNotice()->text, "");
    EXPECT_EQ(desktop.AlarmNotice()->window, form->qzTray1->NotifyData().hWnd);
    EXPECT_EQ(desktop.AlarmNotice()->id, form->qzTray1->TrayId());
    answer("Snooze");
    EXPECT_TRUE(form->SnoozedUntil());
    EXPECT_FALSE(desktop.AlarmNotice());
    desktop.Advance(10min + 10s);  // at the check after the snooze
    ASSERT_TRUE(desktop.AlarmNotice());
    EXPECT_TRUE(form->TrayTimer->Enabled());
    desktop.Advance(1s);  // the filled icon shows
    answer("Stop");
    EXPECT_FALSE(form->TrayTimer->Enabled());
    EXPECT_EQ(ShownIcon(), Icon("MAINICON"));
    EXPECT_FALSE(desktop.AlarmNotice());

    Fire();
    TrayClick(WM_LBUTTONDOWN);
    EXPECT_FALSE(desktop.AlarmNotice());  // the click on the icon

    Fire();
    script.OnMessageBox([](const headless::MessageBoxCall&) { return IDNO; });  // Done's question
    form->Button1->UserClick();
    EXPECT_FALSE(desktop.AlarmNotice());

    form->CheckBox2->UserClick();
    Type(form->message, "Wake up");
    script.OnMessageBox([&](const headless::MessageBoxCall&) {
        EXPECT_EQ(desktop.AlarmNotice()->text, "Wake up");
        return IDOK;
    });
    form->chkalarmbtn->UserClick();
    EXPECT_FALSE(desktop.AlarmNotice());  // the message closed

    form->CheckBox6->SetChecked(true);
    Fire();
    answer("Stop");
    EXPECT_TRUE(application->Terminated());
}

TEST_F(TrayAlertTest, ADoubleClickShowsTheSettingsAndEndsTheFlashing) {
    form->Hide();
    TrayClick(WM_LBUTTONDOWN);  // nothing flashes: a double click only shows the window
    TrayClick(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(form->Visible());
    form->Hide();
    Fire();
    desktop.Advance(1s);
    TrayClick(WM_LBUTTONDOWN);  // the shell reports the press first
    TrayClick(WM_LBUTTONUP);
    TrayClick(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(form->TrayTimer->Enabled());
    EXPECT_EQ(ShownIcon(), Icon("MAINICON"));
}

TEST_F(TrayAlertTest, ExitWhenDoneEndsTheProgramOnAClickKeepingTheStoredAlarm) {
    form->CheckBox4->SetChecked(true);
    Type(form->hour, "9");
    Type(form->min, "0");  // armed, waiting
    form->CheckBox6->SetChecked(true);
    TrayClick(WM_LBUTTONDOWN);  // no alarm has fired: the click ends the program anyway
    EXPECT_TRUE(application->Terminated());
    EXPECT_EQ(Stored("enabled"), "true");
    EXPECT_EQ(StartupEntry(), OwnStartupCommand());
}

namespace {

// The alarm fires with its message and an application; the user leaves the message open for a minute, but
// five seconds in, the program is told to end.
class EndDuringTheAlarmTest : public TrayAlertTest {
  protected:
    void FireAndEndAfterFiveSeconds(std::function<void()> end) {
        form->CheckBox2->UserClick();
        Type(form->message, "Wake up");
        Type(form->runapp, "/usr/bin/true");
        script.AnswerMessageBoxAfter(1min, IDOK);
        desktop.Loop().Schedule(5s, std::move(end));
        const auto fired = desktop.Clock().Now();
        form->chkalarmbtn->UserClick();
        // The box closed when the end came, the alarm went on as after a closed box: the flashing
        // stopped and the application started.
        EXPECT_EQ(desktop.Clock().Now() - fired, 5s);
        EXPECT_TRUE(application->Terminated());
        EXPECT_FALSE(form->TrayTimer->Enabled());
        EXPECT_EQ(desktop.Shell().executed.size(), 1u);
    }
};

}  // namespace

TEST_F(EndDuringTheAlarmTest, AClickWithExitWhenDoneClosesTheMessageAtOnce) {
    form->CheckBox6->SetChecked(true);
    FireAndEndAfterFiveSeconds([this] { TrayClick(WM_LBUTTONDOWN); });
}

TEST_F(EndDuringTheAlarmTest, ExitProgramFromTheTrayMenuClosesTheMessageAtOnce) {
    script.OnPopupMenu([this](const headless::PopupMenuCall&) { return form->exitprogram; });
    FireAndEndAfterFiveSeconds([this] { TrayClick(WM_RBUTTONDOWN); });
    EXPECT_FALSE(Stored("enabled"));
}

// The question's wait ends unanswered; the settings Exit Program cleared stay cleared.
TEST_F(EndDuringTheAlarmTest, ExitProgramDuringTheDoneQuestionSavesNothing) {
    form->CheckBox2->SetChecked(false);
    Type(form->hour, "9");
    Type(form->min, "0");
    ASSERT_EQ(Stored("enabled"), "true");
    script.AnswerMessageBoxAfter(1min, IDYES);
    script.OnPopupMenu([this](const headless::PopupMenuCall&) { return form->exitprogram; });
    desktop.Loop().Schedule(5s, [this] { TrayClick(WM_RBUTTONDOWN); });
    form->Button1->UserClick();
    EXPECT_TRUE(application->Terminated());
    EXPECT_FALSE(Stored("enabled"));
}
