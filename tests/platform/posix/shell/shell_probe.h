// The test program stands in for the programs ShellExecuteA starts: run with SHELL_PROBE_REPORT set, it
// writes what it received and where it runs to that file and exits, with the code SHELL_PROBE_EXIT gives,
// once the file SHELL_PROBE_RELEASE names exists when that is set. Linked as "xdg-open" first on PATH, it is
// the desktop's opener. The error boxes come to its MessageBoxA, which keeps them for the tests.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/core/win32_api.h"

inline constexpr const char* kReportVariable = "SHELL_PROBE_REPORT";
inline constexpr const char* kExitVariable = "SHELL_PROBE_EXIT";
inline constexpr const char* kReleaseVariable = "SHELL_PROBE_RELEASE";

struct Box {
    std::string caption;
    std::string text;
    UINT type;
    std::thread::id thread;
    bool operator==(const Box&) const = default;
};

// The boxes shown since the last call.
std::vector<Box> TakeBoxes();

struct Report {
    pid_t pid = 0;
    pid_t sid = 0;
    std::string cwd;
    std::vector<int> descriptors;
    std::vector<std::string> argv;
};

bool WaitUntil(const std::function<bool()>& done);
// The report at path once the probe wrote it (it is removed then); nothing when none came in time.
std::optional<Report> AwaitReport(const std::filesystem::path& path);
