// alarmclock-wake: holds the wake-up the alarm clock asks for, a timer that wakes the computer from sleep.
// It reads the moments on its standard input, one a line in seconds since the epoch, 0 or an empty line
// for none (of a longer line than a moment's, no more than a moment's length is kept), and ends when its
// input ends, which releases the wake-up. The package grants it, and only it, the capability this needs.
// Exit status 0 when its input ended, 1 when it cannot hold a wake-up, 2 for a wrong command line.
//   --print             after each line, print on standard output what the system holds, read back from
//                       the timer: "held SECONDS" or "none"
//   --hold-without-rtc  hold the timer even where no real-time clock can wake the computer, so that it
//                       fires only while the computer is awake: for tests on such machines
#include <cstdio>
#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/posix/wake/wake_protocol.h"
#include "tools/wake/realtime_alarm_timer.h"

namespace {

void Say(const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", wake_protocol::kHelperName.data(), text.c_str());
}

void PrintHeld(const RealtimeAlarmTimer& timer) {
    const std::optional<std::time_t> held = timer.Held();
    std::cout << (held ? "held " + std::to_string(*held) : "none") << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
    bool print = false;
    bool withoutWakeClock = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--print") {
            print = true;
        } else if (option == "--hold-without-rtc") {
            withoutWakeClock = true;
        } else {
            Say("unknown option " + std::string(option) + " (--print, --hold-without-rtc)");
            return 2;
        }
    }
    try {
        RealtimeAlarmTimer timer;
        if (const auto missing = MissingWakeClock(); missing && !withoutWakeClock) {
            Say(*missing);
            return 1;
        }
        // A line that is no moment, or a moment the system refuses, is reported and leaves the wake-up as
        // it was.
        for (std::string line; wake_protocol::ReadMomentLine(std::cin, line);) {
            try {
                timer.Hold(wake_protocol::ParseMomentLine(line));
            } catch (const std::exception& error) {
                Say(error.what());
            }
            if (print) PrintHeld(timer);
        }
    } catch (const std::runtime_error& error) {
        Say(error.what());
        return 1;
    }
    return 0;
}
