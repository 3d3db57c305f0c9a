// What Done and "Set Defaults" leave in the store for each box, seen through the next start.
#include "tests/support/alarm_clock_test.h"
#include "tests/support/denied_registry_key.h"

namespace {

// A box of the window with the values that hold it between runs, and how the user ticks and unticks it.
struct StoredBox {
    const char* caption;
    const char* value;
    const char* defaultValue;
    TCheckBox* TForm1::*box;
    using UserAction = void (*)(TForm1&, headless::ModalScript&);
    UserAction tick;
    UserAction untick;
};

void PrintTo(const StoredBox& box, std::ostream* out) { *out << box.caption; }

void ChooseMedia(TForm1& form, headless::ModalScript& script) {
    script.OnOpenDialog(
        [](const widgetset::OpenFileRequest&) -> std::optional<std::string> { return "/music/bell.wav"; });
    form.CheckBox3->UserClick();
}

template <TCheckBox* TForm1::*box>
void Click(TForm1& form, headless::ModalScript&) {
    (form.*box)->UserClick();
}

// Message and Run Application tick from their fields; Message is unticked by emptying its field, Run
// Application by its box, which leaves the field's text.
const StoredBox kBoxes[] = {
    {"Message", "message", "defmessage", &TForm1::CheckBox2,
     [](TForm1& form, headless::ModalScript&) { form.message->UserEditText("Wake up"); },
     [](TForm1& form, headless::ModalScript&) { form.message->UserEditText(""); }},
    {"PlayMedia", "sound", "defsound", &TForm1::CheckBox3, ChooseMedia, Click<&TForm1::CheckBox3>},
    {"KeepRunning", "keeprunning", "defkeeprunning", &TForm1::CheckBox4, Click<&TForm1::CheckBox4>,
     Click<&TForm1::CheckBox4>},
    {"RunApplication", "runapp", "defrunapp", &TForm1::CheckBox5,
     [](TForm1& form, headless::ModalScript&) { form.runapp->UserEditText("/usr/bin/true"); },
     Click<&TForm1::CheckBox5>},
    {"ExitWhenDone", "closeafter", "defcloseafter", &TForm1::CheckBox6, Click<&TForm1::CheckBox6>,
     Click<&TForm1::CheckBox6>},
    {"AlarmDaily", "daily", "defdaily", &TForm1::CheckBox8, Click<&TForm1::CheckBox8>,
     Click<&TForm1::CheckBox8>},
};

class AlarmPersistenceTest : public AlarmClockTest {
  protected:
    AlarmPersistenceTest() {
        Store("intro", "done");
        Start();
    }
    void Arm() {
        Type(form->hour, "8");
        Type(form->min, "30");
    }
    // Without a notification Done asks first; the user goes on.
    void Done() {
        if (!form->CheckBox2->Checked() && !form->CheckBox3->Checked() && !form->CheckBox5->Checked()) {
            script.AnswerMessageBox(IDYES);
        }
        form->Button1->UserClick();
    }
    void SetDefaults() {
        ExpectMessage("Default settings saved.");
        form->Button3->UserClick();
    }
    bool Ticked(const StoredBox& box) const { return (form->*box.box)->Checked(); }
};

class StoredBoxTest : public AlarmPersistenceTest, public ::testing::WithParamInterface<StoredBox> {};

}  // namespace

TEST_P(StoredBoxTest, TheAlarmComesBackWithTheBoxAsDoneLeftIt) {
    const StoredBox& box = GetParam();
    Arm();
    box.tick(*form, script);
    Done();
    ASSERT_TRUE(Stored(box.value));
    Restart();
    EXPECT_TRUE(Ticked(box));

    form->OnShowSettings(nullptr);
    box.untick(*form, script);
    Done();
    EXPECT_FALSE(Stored(box.value));
    Restart();
    EXPECT_TRUE(form->CheckBox1->Checked());  // still armed, only the box is gone
    EXPECT_FALSE(Ticked(box));
}

TEST_P(StoredBoxTest, TheDefaultsComeBackWithTheBoxAsSetDefaultsLeftIt) {
    const StoredBox& box = GetParam();
    box.tick(*form, script);
    SetDefaults();
    ASSERT_TRUE(Stored(box.defaultValue));
    Restart();
    EXPECT_TRUE(Ticked(box));

    box.untick(*form, script);
    SetDefaults();
    EXPECT_FALSE(Stored(box.defaultValue));
    Restart();
    EXPECT_FALSE(Ticked(box));
}

INSTANTIATE_TEST_SUITE_P(EveryBox, StoredBoxTest, ::testing::ValuesIn(kBoxes),
                         [](const auto& info) { return std::string(info.param.caption); });

// Gone at the start (deleted overnight, a drive not yet mounted): told, and still chosen, so that the
// alarm tries it again and sounds the tone if it still cannot play.
TEST_F(AlarmPersistenceTest, AMediaFileGoneAtTheStartIsReportedAndStaysChosenForTheAlarm) {
    Arm();
    ChooseMedia(*form, script);
    Done();
    desktop.Media().failToOpen.insert("/music/bell.wav");
    ExpectMessage("Cannot open /music/bell.wav: the file is not a playable media file");
    Restart();
    EXPECT_TRUE(form->CheckBox3->Checked());
    EXPECT_EQ(Stored("sound"), "/music/bell.wav");

    ExpectMessage("Cannot open /music/bell.wav: the file is not a playable media file");
    AdvanceTo(8, 30, 10);
    EXPECT_FALSE(desktop.Media().alarmTone);  // closing the box acknowledged the alarm
}

// Done's save cut at each of its writes in turn (the disk full at that value, say): the next start arms the
// old alarm whole, the new one whole, or none; never a mixture. The user is told.
class CutSaveTest : public AlarmPersistenceTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(CutSaveTest, TheNextStartArmsTheOldAlarmOrTheNewOneWholeOrNone) {
    Arm();
    Type(form->message, "OLD");
    Done();
    DenyValueChanges(HKEY_CURRENT_USER, SettingsKey, GetParam());
    Type(form->hour, "9");
    Type(form->min, "45");
    Type(form->message, "NEW");
    form->CheckBox8->UserClick();
    script.OnMessageBox([](const headless::MessageBoxCall& box) {
        EXPECT_EQ(box.type, MB_OK | MB_ICONERROR) << box.text;
        return IDOK;
    });
    form->Button1->UserClick();
    Restart();
    const std::string shown = form->hour->Text() + ":" + form->min->Text() + " " + form->message->Text() +
                              (form->CheckBox8->Checked() ? " daily" : " once");
    if (form->CheckBox1->Checked()) {
        EXPECT_TRUE(shown == "8:30 OLD once" || shown == "9:45 NEW daily") << shown;
    } else {
        EXPECT_FALSE(form->Alarm());
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWrite, CutSaveTest,
                         ::testing::Values("enabled", "hour", "min", "year", "month", "day", "lastday",
                                           "message", "daily"));
