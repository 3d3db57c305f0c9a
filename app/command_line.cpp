#include "app/command_line.h"

#include <array>

namespace {

// The options that are commands, and the request each sends: the option's name.
constexpr std::array<const char*, 3> kCommands = {"status", "snooze", "stop"};

}  // namespace

const char* const kCommandLineHelp =
    "Usage: alarmclock [OPTION]\n"
    "Without an option, starts the alarm clock, or brings the running one's settings window up.\n"
    "\n"
    "  --status   tell whether an alarm is set and when it next rings\n"
    "  --snooze   snooze the ringing alarm for 10 minutes\n"
    "  --stop     stop the ringing (or snoozed) alarm, as a click on its icon does\n"
    "  --help     show this help\n"
    "\n"
    "The commands act on the alarm clock that runs already; without one they fail with status 1.\n";

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return {};
    if (arguments.size() > 1) return {CommandLine::Error, "", "one option at a time, not " + arguments[1]};
    const std::string& option = arguments[0];
    if (option == "--help" || option == "-h") return {CommandLine::Help, "", ""};
    for (const char* command : kCommands) {
        if (option == std::string("--") + command) return {CommandLine::Command, command, ""};
    }
    return {CommandLine::Error, "", "unknown option: " + option};
}
