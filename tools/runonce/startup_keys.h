// What the system does at login with the start-up keys of the machine and of the user: every command
// under RunOnce is removed and run once; every command under Run is run and kept.
#pragma once

#include <string>
#include <vector>

struct StartupReport {
    int started = 0;
    std::vector<std::string> failures;  // one line each: the value and why its command did not start
};

StartupReport RunStartupKeys();
