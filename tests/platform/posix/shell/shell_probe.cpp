#include "tests/platform/posix/shell/shell_probe.h"

#include <dirent.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <ostream>
#include <utility>

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

std::mutex boxesMutex;
std::vector<Box> boxes;

// Each argument as its length and its bytes, so that any byte, a newline included, comes back as it was.
void WriteArgument(std::ostream& out, const char* argument) {
    const std::size_t length = std::strlen(argument);
    out << "arg " << length << ' ';
    out.write(argument, static_cast<std::streamsize>(length));
    out << '\n';
}

bool WaitForRelease() {
    const char* release = std::getenv(kReleaseVariable);
    if (release == nullptr) return true;
    // Bounded only so that a broken test cannot leave the probe behind for good.
    for (int i = 0; i < 6000 && !fs::exists(release); ++i) std::this_thread::sleep_for(10ms);
    return fs::exists(release);
}

int RunProbe(const char* reportPath, int argc, char** argv) {
    if (!WaitForRelease()) return 99;
    std::vector<int> descriptors;
    if (DIR* listing = opendir("/proc/self/fd")) {
        while (const dirent* entry = readdir(listing)) {
            const int descriptor = std::atoi(entry->d_name);
            if (entry->d_name[0] != '.' && descriptor != dirfd(listing)) descriptors.push_back(descriptor);
        }
        closedir(listing);
    }
    const std::string partial = std::string(reportPath) + ".partial";
    {
        std::ofstream out(partial);
        out << "pid " << getpid() << "\nsid " << getsid(0) << "\ncwd " << fs::current_path().string() << "\n";
        for (int descriptor : descriptors) out << "fd " << descriptor << "\n";
        for (int i = 0; i < argc; ++i) WriteArgument(out, argv[i]);
    }
    // Renamed into place, so that the test never reads half a report.
    std::rename(partial.c_str(), reportPath);
    const char* exitCode = std::getenv(kExitVariable);
    return exitCode != nullptr ? std::atoi(exitCode) : 0;
}

}  // namespace

std::vector<Box> TakeBoxes() {
    std::lock_guard lock(boxesMutex);
    return std::exchange(boxes, {});
}

bool WaitUntil(const std::function<bool()>& done) {
    // Generous: the programs are started detached, and a loaded machine may be slow to run them.
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

std::optional<Report> AwaitReport(const fs::path& path) {
    if (!WaitUntil([&] { return fs::exists(path); })) return std::nullopt;
    Report report;
    std::ifstream in(path);
    std::string key;
    while (in >> key) {
        std::string value;
        if (key == "arg") {
            std::size_t length = 0;
            in >> length;
            in.get();  // the space after the length
            value.resize(length);
            in.read(value.data(), static_cast<std::streamsize>(length));
            in.get();  // the line's end
            report.argv.push_back(value);
            continue;
        }
        in.get();  // the space after the key
        std::getline(in, value);
        if (key == "pid") report.pid = std::stoi(value);
        if (key == "sid") report.sid = std::stoi(value);
        if (key == "cwd") report.cwd = value;
        if (key == "fd") report.descriptors.push_back(std::stoi(value));
    }
    fs::remove(path);
    return report;
}

// The seam's message box, as a back end would show it; recorded with the thread that showed it.
int WINAPI MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
    std::lock_guard lock(boxesMutex);
    boxes.push_back({caption != nullptr ? caption : "(null)", text, type, std::this_thread::get_id()});
    return IDOK;
}

int main(int argc, char** argv) {
    if (const char* report = std::getenv(kReportVariable)) return RunProbe(report, argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
