#include <algorithm>
#include <vector>

#include "tests/support/alarm_clock_test.h"

namespace {

class MainFormTest : public AlarmClockTest {
  protected:
    MainFormTest() {
        Store("intro", "done");
        Start();
    }
    // The controls of a parent in the order the Tab key visits them, windowed ones only.
    static void FocusOrder(const TWinControl& parent, std::vector<std::string>& order) {
        std::vector<TControl*> children;
        for (int i = 0; i < parent.ControlCount(); ++i) {
            TControl* child = parent.Controls(i);
            if (child->InheritsFrom(TWinControl::Class) && child->Visible()) children.push_back(child);
        }
        std::ranges::stable_sort(children, {}, &TControl::TabOrder);
        for (TControl* child : children) {
            auto* windowed = static_cast<TWinControl*>(child);
            if (windowed->ControlCount() > 0) {
                FocusOrder(*windowed, order);
            } else {
                order.push_back(child->Name());
            }
        }
    }
};

}  // namespace

TEST_F(MainFormTest, TheLayoutGivesTheWindowItsFrameAndTheFocusOrder) {
    EXPECT_EQ(form->Caption(), "Zelvo's Alarm Clock v1.25");
    EXPECT_EQ(form->ClientWidth(), 376);
    EXPECT_EQ(form->ClientHeight(), 214);
    EXPECT_EQ(form->BorderStyle(), bsSingle);
    EXPECT_EQ(form->BorderIcons(), unsigned{biSystemMenu | biMinimize});
    EXPECT_EQ(form->Position(), poScreenCenter);
    EXPECT_EQ(form->Icon(), "MAINICON");
    std::vector<std::string> order;
    FocusOrder(*form, order);
    EXPECT_EQ(order, (std::vector<std::string>{"hour", "min", "message", "runapp", "pickappbutton", "CheckBox4",
                                               "CheckBox2", "CheckBox3", "CheckBox5", "CheckBox1", "CheckBox6",
                                               "datepick", "CheckBox8", "Button1", "Button2", "Button3",
                                               "chkalarmbtn"}));
}

TEST_F(MainFormTest, FontsAndHintsAreTheLayouts) {
    EXPECT_EQ(form->Font(), (TFont{"MS Sans Serif", -11, 1, clWindowText}));
    EXPECT_EQ(form->CheckBox1->Font(), form->Font());  // controls take the window's font
    EXPECT_EQ(form->Label1->Font(), (TFont{"Arial", -27, 1, clWindowText}));
    EXPECT_EQ(form->pickappbutton->Font(), (TFont{"MS Sans Serif", -8, 0, clWindowText}));
    EXPECT_FALSE(form->CheckBox1->ShowHint());
    EXPECT_EQ(form->CheckBox1->Hint(), "");
    for (TCheckBox* box : {form->CheckBox2, form->CheckBox3, form->CheckBox4, form->CheckBox5, form->CheckBox6,
                           form->CheckBox8}) {
        EXPECT_TRUE(box->ShowHint()) << box->Name();
        EXPECT_FALSE(box->ParentShowHint()) << box->Name();
    }
    EXPECT_EQ(
        form->CheckBox4->Hint(),
        "Will when enabled keep the program running even after a reboot until the alarm has been executed.");
    EXPECT_EQ(
        form->CheckBox6->Hint(),
        "Will when enabled after a alarm close the application after you've clicked the icon in the tray.");
    EXPECT_EQ(form->OpenDialog2->Filter(),
              "Sound Files|*.wav|Midi Files|*.mid|AVI Movie Files|*.avi|MPG Movie Files|*.mpg|All Files|*.*");
}

TEST_F(MainFormTest, TheComponentsStartAsTheLayoutCreatesThem) {
    form->Free();  // look at a form fresh from its layout, before any creation handler
    auto bare = MakeComponent<TForm1>(nullptr);
    for (TCheckBox* box : {bare->CheckBox1, bare->CheckBox2, bare->CheckBox3, bare->CheckBox4, bare->CheckBox5,
                           bare->CheckBox6, bare->CheckBox8}) {
        EXPECT_FALSE(box->Checked()) << box->Name();
    }
    EXPECT_EQ(bare->message->Text(), "Alarm Executed!");
    EXPECT_EQ(bare->hour->MaxLength(), 2);
    EXPECT_EQ(bare->datepick->Date(), EncodeDate(1999, 2, 19));
    EXPECT_TRUE(bare->Timer1->Enabled());
    EXPECT_EQ(bare->Timer1->Interval(), 10000u);
    EXPECT_FALSE(bare->TrayTimer->Enabled());
    EXPECT_EQ(bare->TrayTimer->Interval(), 1000u);
    EXPECT_EQ(bare->TrayTimer->Tag(), 0);
    EXPECT_FALSE(bare->MediaPlayer1->Visible());
    EXPECT_EQ(bare->MediaPlayer1->DeviceType(), dtWaveAudio);
    EXPECT_EQ(bare->qzTray1->IconResources().Items(), (std::vector<std::string>{"MAINICON", "FILLEDICON"}));
    EXPECT_EQ(bare->qzTray1->PopupMenu(), bare->PopupMenu1);
    EXPECT_EQ(bare->PopupMenu1->Count(), 3);
    EXPECT_FALSE(bare->Visible());
}

TEST_F(MainFormTest, EveryEventIsBoundToItsHandler) {
    TForm1* f = form;
    auto bound = [f]<auto Handler>() { return MakeNotifyEvent<Handler>(f); };
    EXPECT_EQ(f->OnCreate(), bound.operator()<&TForm1::OnInit>());
    EXPECT_EQ(f->Image1->OnClick(), bound.operator()<&TForm1::AboutBox>());
    EXPECT_EQ(f->MediaPlayer1->OnNotify(), bound.operator()<&TForm1::OnMciNotify>());
    EXPECT_EQ(f->CheckBox1->OnClick(), bound.operator()<&TForm1::OnAlarmClick>());
    EXPECT_EQ(f->CheckBox2->OnClick(), bound.operator()<&TForm1::OnMessageClick>());
    EXPECT_EQ(f->message->OnChange(), bound.operator()<&TForm1::messageChange>());
    EXPECT_EQ(f->CheckBox3->OnClick(), bound.operator()<&TForm1::CheckBox3Click>());
    EXPECT_EQ(f->CheckBox4->OnClick(), bound.operator()<&TForm1::CheckBox4Click>());
    EXPECT_EQ(f->runapp->OnChange(), bound.operator()<&TForm1::OnAppEdit>());
    EXPECT_EQ(f->min->OnChange(), bound.operator()<&TForm1::OnNewTime>());
    EXPECT_EQ(f->pickappbutton->OnClick(), bound.operator()<&TForm1::pickappbuttonClick>());
    EXPECT_EQ(f->datepick->OnChange(), bound.operator()<&TForm1::datepickChange>());
    EXPECT_EQ(f->CheckBox8->OnClick(), bound.operator()<&TForm1::CheckBox8Click>());
    EXPECT_EQ(f->Button1->OnClick(), bound.operator()<&TForm1::Button1Click>());
    EXPECT_EQ(f->Button2->OnClick(), bound.operator()<&TForm1::Button2Click>());
    EXPECT_EQ(f->Button3->OnClick(), bound.operator()<&TForm1::Button3Click>());
    EXPECT_EQ(f->chkalarmbtn->OnClick(), bound.operator()<&TForm1::chkalarmbtnClick>());
    EXPECT_EQ(f->Timer1->OnTimer(), bound.operator()<&TForm1::Timer1Timer>());
    EXPECT_EQ(f->qzTray1->ShowMenu(), bound.operator()<&TForm1::OnShowMenu>());
    EXPECT_EQ(f->qzTray1->SimpleFunction(), bound.operator()<&TForm1::OnOneClick>());
    EXPECT_EQ(f->qzTray1->DefaultFunction(), bound.operator()<&TForm1::OnDblClick>());
    EXPECT_EQ(f->showsettings->OnClick(), bound.operator()<&TForm1::OnShowSettings>());
    EXPECT_EQ(f->HideSettings->OnClick(), bound.operator()<&TForm1::OnHideSettings>());
    EXPECT_EQ(f->exitprogram->OnClick(), bound.operator()<&TForm1::OnExitProgram>());
    EXPECT_EQ(f->TrayTimer->OnTimer(), bound.operator()<&TForm1::OnAnimate>());
    // Controls without a handler in the layout have none.
    for (TControl* unbound : {static_cast<TControl*>(f->hour), static_cast<TControl*>(f->CheckBox5),
                              static_cast<TControl*>(f->CheckBox6)}) {
        EXPECT_FALSE(unbound->OnClick()) << unbound->Name();
    }
    EXPECT_FALSE(f->hour->OnChange());
}
