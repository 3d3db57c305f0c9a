#include "app/command_line.h"
#include "app/program.h"
#include "tests/support/alarm_clock_test.h"

namespace {

// The program runs with the instance claimed as its entry claims it; a later start asks it.
class ProgramCommandsTest : public AlarmClockTest {
  protected:
    ProgramCommandsTest() {
        Store("intro", "done");
        EXPECT_TRUE(application->ClaimSingleInstance(kInstanceName, AnswerCommand));
        Start();
    }
    widgetset::InstanceAnswer Ask(const std::string& command) {
        return application->AskRunningInstance(kInstanceName, command).value();
    }
    void Fire() {
        form->CheckBox2->SetChecked(false);
        form->chkalarmbtn->UserClick();
    }
};

}  // namespace

TEST(CommandLineTest, OneOptionAtATime) {
    EXPECT_EQ(ParseCommandLine({}).kind, CommandLine::Start);
    EXPECT_EQ(ParseCommandLine({"--help"}).kind, CommandLine::Help);
    for (const char* command : {"status", "snooze", "stop"}) {
        const CommandLine line = ParseCommandLine({std::string("--") + command});
        EXPECT_EQ(line.kind, CommandLine::Command);
        EXPECT_EQ(line.command, command);
        EXPECT_NE(std::string(kCommandLineHelp).find(std::string("--") + command), std::string::npos);
    }
    EXPECT_EQ(ParseCommandLine({"--snoze"}).error, "unknown option: --snoze");
    EXPECT_EQ(ParseCommandLine({"status"}).error, "unknown option: status");
    EXPECT_EQ(ParseCommandLine({"--stop", "--status"}).error, "one option at a time, not --status");
}

TEST_F(ProgramCommandsTest, StatusTellsTheNextRingingInLocalTime) {
    EXPECT_EQ(Ask("status").text, "No alarm set.\n");
    form->CheckBox8->SetChecked(true);
    Type(form->hour, "6");
    Type(form->min, "45");
    desktop.Advance(10s);  // the check arms what the window shows
    EXPECT_EQ(Ask("status").status, 0);
    EXPECT_EQ(Ask("status").text, "Alarm set: next rings at 2026-07-06 06:45, daily\n");
    Fire();
    EXPECT_EQ(Ask("snooze").text, "Snoozed until 2026-07-05 07:10.\n");
    EXPECT_EQ(Ask("status").text,
              "Alarm set: next rings at 2026-07-06 06:45, daily\nSnoozed until 2026-07-05 07:10.\n");
    EXPECT_TRUE(form->SnoozedUntil());
}

// Snooze and stop act on a ringing alarm only; stop is the icon's click, which also ends a snooze.
TEST_F(ProgramCommandsTest, SnoozeAndStopNeedARingingAlarm) {
    const widgetset::InstanceAnswer notRinging{1, "alarmclock: the alarm is not ringing\n"};
    for (const char* command : {"snooze", "stop"}) {
        const auto answer = Ask(command);
        EXPECT_EQ(std::tuple(answer.status, answer.text), std::tuple(notRinging.status, notRinging.text));
    }
    Fire();
    EXPECT_EQ(Ask("status").text, "No alarm set.\nThe alarm is ringing.\n");
    EXPECT_EQ(Ask("stop").status, 0);
    EXPECT_FALSE(form->Ringing());
    Fire();
    EXPECT_EQ(Ask("snooze").status, 0);
    EXPECT_EQ(Ask("snooze").status, 1);
    EXPECT_EQ(Ask("stop").status, 0);
    EXPECT_FALSE(form->SnoozedUntil());
    EXPECT_EQ(Ask("stop").status, 1);
    EXPECT_EQ(Ask("exit").status, 2);
}

TEST_F(ProgramCommandsTest, WithNoProgramRunningACommandFails) {
    EXPECT_FALSE(application->AskRunningInstance("alarmclock-elsewhere", "status"));
}
