// How a desktop back end says, once, that the computer will not wake for the alarm: on standard error, in
// the program's voice, and the program goes on (the alarm still fires while the computer is awake).
#pragma once

#include <cstdio>
#include <string>

inline void SayNoWakeUp(const std::string& why) {
    std::fprintf(stderr, "alarmclock: no wake-up: %s\n", why.c_str());
}
