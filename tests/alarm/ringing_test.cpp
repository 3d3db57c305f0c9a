#include <algorithm>
#include <vector>

#include "tests/support/alarm_clock_test.h"

namespace {

// The alarm rings for "Check Alarm" with the media file, the application and, where asked for, the message.
class RingingTest : public AlarmClockTest {
  protected:
    RingingTest() {
        Store("intro", "done");
        Start();
        script.OnOpenDialog([](const widgetset::OpenFileRequest&) { return "/music/wake.wav"; });
        form->CheckBox3->UserClick();
        Type(form->message, "Wake up");
        Type(form->runapp, "/usr/bin/true");
        desktop.Media().defaultDuration = 1h;
    }
    void FireWithoutMessage() {
        form->CheckBox2->SetChecked(false);
        form->chkalarmbtn->UserClick();
    }
    bool Sounding() const {
        const auto& log = desktop.Media().log;
        return desktop.Media().alarmTone ||
               (!log.empty() && log.back().kind == headless::MediaEvent::Kind::Play);
    }
    // The items the tray's menu shows now (without its separators).
    std::vector<TMenuItem*> TrayMenu() {
        std::vector<TMenuItem*> shown;
        script.OnPopupMenu([&](const headless::PopupMenuCall& menu) {
            shown = menu.shownItems;
            return nullptr;
        });
        TrayClick(WM_RBUTTONDOWN);
        return shown;
    }
    void ChooseInTrayMenu(TMenuItem* item) {
        script.OnPopupMenu([item](const headless::PopupMenuCall&) { return item; });
        TrayClick(WM_RBUTTONDOWN);
    }
    std::size_t Launches() const { return desktop.Shell().executed.size(); }
    std::size_t Boxes() const { return script.MessageBoxesShown().size(); }
};

}  // namespace

// The menu offers the snooze at its top, above a separator, exactly while the alarm rings.
TEST_F(RingingTest, TheTrayMenuOffersTheSnoozeOnlyWhileTheAlarmRings) {
    form->Hide();
    EXPECT_EQ(TrayMenu(), (std::vector<TMenuItem*>{form->showsettings, form->exitprogram}));
    FireWithoutMessage();
    EXPECT_EQ(TrayMenu(), (std::vector<TMenuItem*>{form->snooze, form->showsettings, form->exitprogram}));
    EXPECT_EQ(form->snooze->Caption(), "Snooze 10 Minutes");
    EXPECT_EQ(form->PopupMenu1->Items(1)->Caption(), "-");
    ChooseInTrayMenu(form->snooze);
    EXPECT_EQ(TrayMenu(), (std::vector<TMenuItem*>{form->showsettings, form->exitprogram}));
    EXPECT_TRUE(form->StopAlarm());
}

// Snoozed: quiet and still, the computer's wake-up at its end; ten minutes later the sound, the flashing and
// the message again, not the application; a second snooze, then the box closed, which acknowledges.
TEST_F(RingingTest, ASnoozeStopsTheRingingAndBringsItBackTenMinutesLaterWithoutTheApplication) {
    script.OnMessageBox([&](const headless::MessageBoxCall& box) {
        EXPECT_EQ(box.text, "Wake up");
        desktop.Advance(3s);
        EXPECT_TRUE(Sounding());
        EXPECT_TRUE(form->SnoozeAlarm());   // the box closes
        EXPECT_FALSE(form->SnoozeAlarm());  // nothing rings any more
        return IDOK;
    });
    form->chkalarmbtn->UserClick();
    const auto snoozed = desktop.Clock().Now();
    EXPECT_EQ(Launches(), 1u);  // the box's end, by the snooze too, lets the application start
    EXPECT_FALSE(form->Ringing());
    EXPECT_FALSE(Sounding());
    EXPECT_EQ(ShownIcon(), Icon("MAINICON"));
    ASSERT_TRUE(form->SnoozedUntil());
    const SYSTEMTIME wakeUp = desktop.Clock().LocalTimeAt(*desktop.WakeUp());
    EXPECT_EQ(std::tuple(wakeUp.wHour, wakeUp.wMinute, wakeUp.wSecond), std::tuple(7, 10, 3));

    script.OnMessageBox([&](const headless::MessageBoxCall& box) {
        // At the first check after its end, 5 ms after a ten-second mark.
        EXPECT_EQ(desktop.Clock().Now() - snoozed, 10min + 7s + 5ms);
        EXPECT_EQ(box.text, "Wake up");
        EXPECT_TRUE(form->Ringing());
        EXPECT_TRUE(Sounding());
        EXPECT_FALSE(form->SnoozedUntil());
        EXPECT_FALSE(desktop.WakeUp());
        EXPECT_TRUE(form->SnoozeAlarm());
        return IDOK;
    });
    desktop.Advance(10min + 8s);
    script.AnswerMessageBox(IDOK);
    desktop.Advance(10min + 10s);
    EXPECT_EQ(Boxes(), 3u);
    EXPECT_EQ(Launches(), 1u);
    EXPECT_FALSE(form->Ringing());
    EXPECT_FALSE(form->SnoozedUntil());  // the closed box acknowledged it
    desktop.Advance(30min);
    EXPECT_EQ(Boxes(), 3u);
}

// Whatever acknowledges the alarm ends its snooze: the icon's click, Stop, Done, Exit Program.
TEST_F(RingingTest, AnAcknowledgementEndsTheSnooze) {
    const std::vector<std::function<void()>> acknowledgements = {
        [this] { TrayClick(WM_LBUTTONDOWN); },
        [this] { EXPECT_TRUE(form->StopAlarm()); },
        [this] { form->Button1->UserClick(); },
        [this] { ChooseInTrayMenu(form->exitprogram); },
    };
    for (const auto& acknowledge : acknowledgements) {
        FireWithoutMessage();
        ChooseInTrayMenu(form->snooze);
        desktop.Advance(5min);
        acknowledge();
        EXPECT_FALSE(form->SnoozedUntil());
        EXPECT_FALSE(desktop.WakeUp());
        desktop.Advance(10min);
        EXPECT_FALSE(form->Ringing());
        EXPECT_FALSE(form->StopAlarm());  // nothing left to stop
    }
    EXPECT_TRUE(application->Terminated());
    EXPECT_EQ(Boxes(), 0u);
}

// The snooze's end is heard when the computer resumes after it, asleep without a wake-up.
TEST_F(RingingTest, ASnoozeSurvivesASleep) {
    FireWithoutMessage();
    EXPECT_TRUE(form->SnoozeAlarm());
    desktop.Loop().Suspend(1h);
    desktop.Advance(1s);
    EXPECT_TRUE(form->Ringing());
    EXPECT_TRUE(Sounding());
    EXPECT_TRUE(form->StopAlarm());
}

// The wake-up is the earlier of the alarm's next moment and the snooze's end.
TEST_F(RingingTest, TheWakeUpComesForTheAlarmWhenItIsDueBeforeTheSnoozeEnds) {
    form->CheckBox8->SetChecked(true);
    Type(form->hour, "7");
    Type(form->min, "5");
    FireWithoutMessage();  // a daily alarm's test: it still rings at 7:05
    form->SnoozeAlarm();
    EXPECT_EQ(desktop.Clock().LocalTimeAt(*desktop.WakeUp()).wMinute, 5);
    form->Button1->UserClick();  // Done: acknowledged, hidden
    FireWithoutMessage();
    desktop.Advance(2min);
    form->SnoozeAlarm();  // rings at 7:05, snoozed at 7:02 until 7:12
    desktop.Advance(4min);
    EXPECT_TRUE(form->Ringing());  // the alarm's own ring ends the snooze
    EXPECT_FALSE(form->SnoozedUntil());
    EXPECT_EQ(desktop.Clock().LocalTimeAt(*desktop.WakeUp()).wDay, 6);
    form->StopAlarm();
}

// Unanswered, the sound ends after fifteen minutes; the icon flashes on, the message stays. A snooze gives
// the next ringing fifteen minutes of its own.
TEST_F(RingingTest, TheSoundEndsAfterFifteenMinutesUnanswered) {
    script.OnMessageBox([&](const headless::MessageBoxCall&) {
        desktop.Advance(15min - 1s);
        EXPECT_TRUE(Sounding());
        desktop.Advance(1s);
        EXPECT_FALSE(Sounding());
        EXPECT_TRUE(form->Ringing());
        desktop.Advance(1h);
        EXPECT_TRUE(form->Ringing());
        form->SnoozeAlarm();
        return IDOK;
    });
    script.OnMessageBox([&](const headless::MessageBoxCall&) {
        desktop.Advance(15min - 1s);
        EXPECT_TRUE(Sounding());
        desktop.Advance(1s);
        EXPECT_FALSE(Sounding());
        return IDOK;
    });
    form->chkalarmbtn->UserClick();
    desktop.Advance(11min);
    EXPECT_FALSE(form->Ringing());
}

// The file plays over and over while the sound lasts, and no more after; a file that fails while playing
// gives way to the program's own tone.
TEST_F(RingingTest, TheMediaPlaysOverAndOverWhileTheSoundLasts) {
    const auto plays = [this] {
        return std::ranges::count(desktop.Media().log, headless::MediaEvent::Kind::Play,
                                  &headless::MediaEvent::kind);
    };
    desktop.Media().defaultDuration = 4min;
    FireWithoutMessage();
    desktop.Advance(15min - 1s);
    EXPECT_EQ(plays(), 4);  // at 0, 4, 8 and 12 minutes
    EXPECT_TRUE(Sounding());
    desktop.Advance(1s);
    EXPECT_FALSE(Sounding());
    desktop.Advance(1h);
    EXPECT_EQ(plays(), 4);
    EXPECT_TRUE(form->StopAlarm());

    desktop.Media().failWhilePlaying.insert("/music/wake.wav");
    FireWithoutMessage();
    desktop.Advance(4min);
    EXPECT_EQ(plays(), 5);
    EXPECT_TRUE(desktop.Media().alarmTone);
    EXPECT_EQ(Boxes(), 0u);
    EXPECT_TRUE(form->StopAlarm());
    EXPECT_FALSE(Sounding());
}

// The sound, the file's and the tone alike, rises from silence to full volume over its first twenty seconds,
// each ringing's anew.
TEST_F(RingingTest, TheSoundFadesInOverItsFirstTwentySeconds) {
    const headless::MediaLibrary& media = desktop.Media();
    FireWithoutMessage();
    std::vector<double> heard{media.volume};
    for (int quarter = 1; quarter <= 100; ++quarter) {
        desktop.Advance(250ms);
        heard.push_back(media.volume);
        EXPECT_EQ(media.alarmToneVolume, media.volume);
    }
    EXPECT_EQ(heard.front(), 0.0);
    EXPECT_LT(heard[4], 0.01) << "loud within its first second";
    EXPECT_TRUE(std::ranges::is_sorted(heard));
    EXPECT_LT(heard[76], 1.0) << "full before nineteen seconds";
    EXPECT_EQ(heard[80], 1.0);
    EXPECT_EQ(heard.back(), 1.0);

    EXPECT_TRUE(form->SnoozeAlarm());
    desktop.Advance(10min + 10s);
    ASSERT_TRUE(form->Ringing());
    EXPECT_LT(media.volume, 0.05) << "the ringing after the snooze came up at once";
    EXPECT_TRUE(form->StopAlarm());
}
