#include "framework/param_str.h"
#include "tests/support/alarm_clock_test.h"

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

TEST_F(TrayAlertTest, ClosingTheMessageOnTheFilledIconLeavesItUntilTheNextClick) {
    form->CheckBox2->UserClick();
    Type(form->message, "Wake up");
    script.OnMessageBox([&](const headless::MessageBoxCall&) {
        desktop.Advance(1s);
        return IDOK;
    });
    form->chkalarmbtn->UserClick();  // with the message
    EXPECT_FALSE(form->TrayTimer->Enabled());
    EXPECT_EQ(ShownIcon(), Icon("FILLEDICON"));
    TrayClick(WM_LBUTTONDOWN);
    EXPECT_EQ(ShownIcon(), Icon("MAINICON"));
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
    EXPECT_EQ(StartupEntry(), ParamStr(0));
}
