// The program's command line: nothing to start the alarm clock, or one option, most of them a command for
// the copy that runs already.
#pragma once

#include <string>
#include <vector>

struct CommandLine {
    enum Kind {
        Start,    // no option
        Help,     // --help
        Command,  // --status, --snooze, --stop: command names the request to the running copy
        Error,    // error says what is wrong
    } kind = Start;
    std::string command;
    std::string error;
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// What --help prints.
extern const char* const kCommandLineHelp;
