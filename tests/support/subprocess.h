// Child processes for tests: the registry tool, and writers that are killed mid-flight.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct ProcessResult {
    int exitCode = -1;  // -1 when the child did not exit normally
    std::string out;
    std::string err;
};

// Runs `argv` to completion with `input` on its standard input (then end of file).
ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& input = {});

// A running child whose standard output is readable through `output`.
struct PipedChild {
    pid_t pid = -1;
    int output = -1;
};

PipedChild StartPiped(const std::vector<std::string>& argv);

// Reads until end of file and closes the descriptor.
std::string ReadToEnd(int descriptor);

// Waits for the child; returns its exit code, or -1 when it did not exit normally.
int WaitFor(pid_t pid);
