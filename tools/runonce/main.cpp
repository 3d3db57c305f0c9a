// alarmclock-runonce: started at login, it runs the start-up commands that programs left in the
// registry, as the system does at its start. Exit status 0 when every command started, 1 otherwise.
#include <cstdio>

#include "tools/runonce/startup_keys.h"

int main() {
    const StartupReport report = RunStartupKeys();
    for (const std::string& failure : report.failures)
        std::fprintf(stderr, "alarmclock-runonce: %s\n", failure.c_str());
    return report.failures.empty() ? 0 : 1;
}
