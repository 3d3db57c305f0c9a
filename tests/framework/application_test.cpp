#include <cstdio>
#include <string>
#include <vector>

#include "framework/dialogs.h"
#include "framework/exceptions.h"
#include "framework/form.h"
#include "framework/timer.h"
#include "tests/support/headless_test.h"

namespace {

class TClockForm;
TClockForm* ClockForm = nullptr;

// A form with a one-second timer whose handler opens a message box on its third tick.
class TClockForm : public TForm {
    DECLARE_CLASS_INFO
  public:
    explicit TClockForm(TComponent* owner) : TForm(owner) {
        timer->SetInterval(1000);
        timer->SetOnTimer(MakeNotifyEvent<&TClockForm::Tick>(this));
        SetOnCreate(MakeNotifyEvent<&TClockForm::Created>(this));
    }
    void Created(TObject*) { sawReferenceAtCreation = ClockForm == this; }
    void Tick(TObject*) {
        ++ticks;
        if (ticks == 3) {
            ShowMessage("Wake up");
            ticksWhenBoxClosed = ticks;
        }
        if (failOnTick == ticks) throw Exception("tick failed");
    }

    TTimer* timer = new TTimer(this);
    int ticks = 0;
    int ticksWhenBoxClosed = 0;
    int failOnTick = -1;
    bool sawReferenceAtCreation = false;
};

}  // namespace

const ClassInfo TClockForm::Class{.name = "TClockForm", .parent = &TForm::Class};

class ApplicationTest : public HeadlessTest {
  protected:
    ApplicationTest() { application->CreateForm(ClockForm); }
};

TEST_F(ApplicationTest, TheFirstFormIsTheMainFormAndItsReferenceIsSetBeforeItsCreationHandler) {
    EXPECT_EQ(application->MainForm(), ClockForm);
    EXPECT_TRUE(ClockForm->sawReferenceAtCreation);
    EXPECT_FALSE(ClockForm->Visible());  // created hidden
}

TEST_F(ApplicationTest, TimersFireInVirtualTimeAlsoWhileAModalBoxWaits) {
    // While the box of the third tick is open, the user waits 2.5 s: the timer goes on ticking inside
    // the box's nested loop, re-entering its own handler.
    script.OnMessageBox([&](const headless::MessageBoxCall& box) {
        EXPECT_EQ(box.text, "Wake up");
        EXPECT_EQ(box.caption, "Test");
        EXPECT_EQ(box.owner, application->Handle());
        desktop.Advance(2500ms);
        return IDOK;
    });
    desktop.Advance(3000ms);
    EXPECT_EQ(ClockForm->ticks, 5);
    EXPECT_EQ(ClockForm->ticksWhenBoxClosed, 5);
    desktop.Advance(499ms);  // the box closed at 5.5 s; at 5.999 s there is no tick yet
    EXPECT_EQ(ClockForm->ticks, 5);
    desktop.Advance(1ms);
    EXPECT_EQ(ClockForm->ticks, 6);
}

TEST_F(ApplicationTest, AnErrorEscapingATickIsReportedAndTheProgramGoesOn) {
    ClockForm->failOnTick = 1;
    script.AnswerMessageBox(IDOK);  // the report of the failure
    script.AnswerMessageBox(IDOK);  // the third tick's own box
    desktop.Advance(3000ms);
    ASSERT_EQ(script.MessageBoxesShown().size(), 2u);
    EXPECT_EQ(script.MessageBoxesShown()[0].text, "tick failed");
    EXPECT_EQ(ClockForm->ticks, 3);  // the timer kept running
}

TEST_F(ApplicationTest, RunEndsWhenTheMainFormClosesAndShowsItOnlyWhenAsked) {
    application->SetShowMainForm(false);
    desktop.Loop().Schedule(1500ms, [] {
        EXPECT_FALSE(ClockForm->Visible());  // the loop did not show it by itself
        ClockForm->Close();
    });
    application->Run();
    EXPECT_TRUE(application->Terminated());
    EXPECT_EQ(ClockForm->ticks, 1);
}

TEST_F(ApplicationTest, AHungLoopFailsInsteadOfRunningForever) {
    desktop.SetRunLimit(10s);
    ClockForm->timer->SetEnabled(false);
    EXPECT_THROW(application->Run(), std::runtime_error);
}

TEST_F(ApplicationTest, ClosingAFormThatIsNotTheMainFormOnlyHidesIt) {
    TForm* other = nullptr;
    application->CreateForm(other);
    other->Show();
    other->Close();
    EXPECT_FALSE(other->Visible());
    EXPECT_FALSE(application->Terminated());
    ClockForm->UserClose();  // the title bar's close button on the main form
    EXPECT_TRUE(application->Terminated());
}

TEST_F(ApplicationTest, ATimerAlignedToTheWallClockTicksOnItsMarksFollowsAJumpAndCanGoBack) {
    std::vector<std::string> ticks;
    const auto at = [&] {
        const SYSTEMTIME t = desktop.Clock().LocalTime();
        char text[16];
        std::snprintf(text, sizeof text, "%u.%03u", t.wSecond, t.wMilliseconds);
        return std::string(text);
    };
    script.OnMessageBox([&](const headless::MessageBoxCall&) {  // the third tick's
        ticks.push_back("box " + at());
        return IDOK;
    });
    desktop.Clock().Set(desktop.Clock().Now() + 300ms);
    ClockForm->timer->SetAlignedToWallClock(true);
    desktop.Advance(704ms);
    EXPECT_EQ(ClockForm->ticks, 0);  // not a second after the start: on the next mark, 1.005
    desktop.Advance(1ms);
    EXPECT_EQ(ClockForm->ticks, 1);
    desktop.Clock().Set(desktop.Clock().Now() + 250ms);  // the clock is put forward: a tick at once
    desktop.Advance(0ms);
    EXPECT_EQ(at(), "1.255");
    EXPECT_EQ(ClockForm->ticks, 2);
    desktop.Advance(750ms);  // and the next one is on a mark again
    EXPECT_EQ(ticks, (std::vector<std::string>{"box 2.005"}));
    ClockForm->timer->SetAlignedToWallClock(false);  // every interval from here: 3.005, 4.005
    desktop.Advance(2000ms);
    EXPECT_EQ(ClockForm->ticks, 5);
    EXPECT_EQ(at(), "4.005");
}
