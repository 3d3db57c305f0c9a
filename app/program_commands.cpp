// The running program's answers to the commands of a later start's command line.
#include <cstdio>

#include "alarm/system_clock.h"
#include "app/main_form.h"
#include "app/program.h"
#include "framework/application.h"

namespace {

std::string LocalDateAndTime(Instant instant) {
    const SYSTEMTIME time = LocalSystemTime(instant);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour,
                  time.wMinute);
    return text;
}

widgetset::InstanceAnswer NotRinging() { return {1, "alarmclock: the alarm is not ringing\n"}; }

std::string Status(const TForm1& form) {
    std::string text;
    const std::optional<Instant> next =
        form.Alarm() ? NextMoment(*form.Alarm(), SystemNow(), SystemLocalReading) : std::nullopt;
    if (next) {
        text =
            "Alarm set: next rings at " + LocalDateAndTime(*next) + (form.Alarm()->daily ? ", daily\n" : "\n");
    } else {
        text = "No alarm set.\n";
    }
    if (form.Ringing()) text += "The alarm is ringing.\n";
    if (form.SnoozedUntil()) text += "Snoozed until " + LocalDateAndTime(*form.SnoozedUntil()) + ".\n";
    return text;
}

}  // namespace

widgetset::InstanceAnswer AnswerCommand(const std::string& command) {
    if (Form1 == nullptr) return {1, "alarmclock: the running alarm clock is still starting\n"};
    if (command == "status") return {0, Status(*Form1)};
    if (command == "snooze") {
        if (!Form1->SnoozeAlarm()) return NotRinging();
        return {0, "Snoozed until " + LocalDateAndTime(*Form1->SnoozedUntil()) + ".\n"};
    }
    if (command == "stop") {
        if (!Form1->StopAlarm()) return NotRinging();
        return {0, "Stopped.\n"};
    }
    return {2, "alarmclock: the running alarm clock does not know the command " + command + "\n"};
}

int AskRunningProgram(const std::string& command) {
    const std::optional<widgetset::InstanceAnswer> answer =
        Application->AskRunningInstance(kInstanceName, command);
    if (!answer) {
        std::fputs("alarmclock: the alarm clock is not running\n", stderr);
        return 1;
    }
    std::fputs(answer->text.c_str(), answer->status == 0 ? stdout : stderr);
    return answer->status;
}
