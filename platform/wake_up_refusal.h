// How a desktop back end says that the computer will not wake for the alarm: once a run, on standard error,
// in the program's voice, and the program goes on (the alarm still fires while the computer is awake).
#pragma once

#include <atomic>
#include <cstdio>
#include <string>

inline void SayNoWakeUp(const std::string& why) {
    static std::atomic<bool> said{false};
    if (!said.exchange(true)) std::fprintf(stderr, "alarmclock: no wake-up: %s\n", why.c_str());
}
