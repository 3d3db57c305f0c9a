// The main form as its layout wires it: the controls the user operates that no scenario elsewhere reaches
// reach their handlers, and the dialogs and menus show what the layout gives them.
#include <algorithm>

#include "tests/support/alarm_clock_test.h"

namespace {

class MainFormTest : public AlarmClockTest {
  protected:
    MainFormTest() {
        Store("intro", "done");
        Start();
    }
    void ArmFor(const std::string& hour, const std::string& minute) {
        Type(form->hour, hour);
        Type(form->min, minute);
        ASSERT_TRUE(form->CheckBox1->Checked());
    }
    // Right-clicks the tray icon and picks the entry with that caption.
    void ChooseFromTrayMenu(const std::string& caption) {
        script.OnPopupMenu([caption](const headless::PopupMenuCall& call) -> TMenuItem* {
            const auto item = std::ranges::find(call.shownItems, caption, &TMenuItem::Caption);
            EXPECT_NE(item, call.shownItems.end()) << caption;
            return item != call.shownItems.end() ? *item : nullptr;
        });
        TrayClick(WM_RBUTTONDOWN);
    }
};

}  // namespace

TEST_F(MainFormTest, AlarmEnabledTickedByHandSavesTheAlarmAndUntickedClearsIt) {
    ArmFor("7", "30");
    form->CheckBox1->UserClick();
    EXPECT_FALSE(Stored("enabled"));
    EXPECT_EQ(form->qzTray1->Tip(), "Zelvo's Alarm Clock");
    form->CheckBox1->UserClick();
    EXPECT_EQ(Stored("enabled"), "true");
    EXPECT_EQ(Stored("hour"), "7");
    EXPECT_EQ(Stored("min"), "30");
    EXPECT_EQ(form->qzTray1->Tip(), "Zelvo's Alarm Clock ENABLED");
}

TEST_F(MainFormTest, TheHourTakesTwoCharactersAtMost) {
    Type(form->hour, "12");
    Type(form->hour, "123");
    EXPECT_EQ(form->hour->Text(), "12");
}

TEST_F(MainFormTest, ExitProgramOnTheWindowEndsTheProgramAndClearsTheAlarmButNotTheDefaults) {
    ArmFor("7", "30");
    Store("defhour", "6");
    form->Button2->UserClick();
    EXPECT_TRUE(application->Terminated());
    EXPECT_FALSE(Stored("enabled"));
    EXPECT_EQ(Stored("defhour"), "6");
}

TEST_F(MainFormTest, HideSettingsInTheTrayMenuHidesTheWindowAndShowSettingsBringsItBack) {
    ChooseFromTrayMenu("Hide Settings");
    EXPECT_FALSE(form->Visible());
    ChooseFromTrayMenu("Show Settings");
    EXPECT_TRUE(form->Visible());
}

TEST_F(MainFormTest, PlayMediaOffersTheMediaFileKinds) {
    script.OnOpenDialog([](const widgetset::OpenFileRequest& request) -> std::optional<std::string> {
        EXPECT_EQ(
            request.filter,
            "Sound Files|*.wav|Midi Files|*.mid|AVI Movie Files|*.avi|MPG Movie Files|*.mpg|All Files|*.*");
        return std::nullopt;
    });
    form->CheckBox3->UserClick();
    EXPECT_FALSE(form->CheckBox3->Checked());
}
