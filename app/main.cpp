// The alarm clock on a desktop: the settings window and its tray icon until the window closes; or, with a
// command on the command line, the running program's answer to it.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/program.h"
#include "framework/application.h"
#include "platform/api.h"
#include "tray/msg_cmp_list.h"

namespace {

// A start that cannot even claim its settings location (a file in its place, no write permission, no home)
// says why on standard error and, where a box can be shown, in a box; it ends with status 1.
int StartFailed(const char* why) {
    std::fprintf(stderr, "alarmclock: %s\n", why);
    MessageBoxFittingA(nullptr, why, nullptr, MB_OK | MB_ICONERROR);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.kind != CommandLine::Start) UseParentConsole();
    if (line.kind == CommandLine::Help) {
        std::fputs(kCommandLineHelp, stdout);
        return 0;
    }
    if (line.kind == CommandLine::Error) {
        std::fprintf(stderr, "alarmclock: %s\nTry 'alarmclock --help' for the options.\n", line.error.c_str());
        return 2;
    }
    qzMsgCmpUnit hooks;  // before the first component, gone after the last window
    auto application = MakeComponent<TApplication>(nullptr);
    if (line.kind == CommandLine::Command) {
        try {
            return AskRunningProgram(line.command);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "alarmclock: %s\n", error.what());
            return 1;
        }
    }
    // A second start (the login's start-up entry and a start by hand, say) must not arm a second copy of
    // the alarm: the running program shows its window instead.
    try {
        if (!Application->ClaimSingleInstance(kInstanceName, AnswerCommand)) return 0;
    } catch (const std::exception& error) {
        return StartFailed(error.what());
    }
    RunAlarmClock();
    return 0;
}
