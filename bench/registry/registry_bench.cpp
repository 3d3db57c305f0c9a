// Times alarmclock-reg on wide keys (1,000, 10,000 and 100,000 values under one key) and deep ones (keys
// nested 100 levels, and 512, the deepest the registry allows, with short names and with names of 255
// characters, the longest), each in a fresh registry: import of a generated .reg file, then export and
// query /s of the whole tree. Release builds give the figures worth comparing.
//
//   registry_bench [--limit SECONDS] [--tool PATH]
//
// A command still running after the limit (default 120 s) is stopped and shown as "> limit".
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kKey = "HKEY_CURRENT_USER\\Bench";

struct Case {
    std::string label;
    std::string regFile;  // the file's text
};

std::string Header() { return "Windows Registry Editor Version 5.00\n\n"; }

Case Wide(int values) {
    std::string text = Header() + "[" + kKey + "]\n";
    for (int i = 0; i < values; ++i) {
        text += "\"value" + std::to_string(i) + "\"=\"text of value " + std::to_string(i) + "\"\n";
    }
    return {std::to_string(values) + " values", text};
}

// Keys down to `depth` levels below the root, the first being kKey's; each name is `nameLength` long, or
// short when 0.
Case Deep(int depth, std::size_t nameLength = 0) {
    std::string path = kKey;
    std::string text = Header();
    for (int level = 2; level <= depth; ++level) {
        std::string name = "level" + std::to_string(level);
        if (nameLength > 0) name.resize(nameLength, 'n');
        path += "\\" + name;
        text += "[" + path + "]\n\"v\"=dword:" + std::string("00000001") + "\n\n";
    }
    return {"depth " + std::to_string(depth) + (nameLength > 0 ? " x" + std::to_string(nameLength) : ""), text};
}

// Seconds the command took, or nothing when it was stopped at the limit or failed.
std::optional<double> Run(const std::vector<std::string>& arguments, double limit) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::fflush(stdout);  // or the child would write what is buffered
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stdout);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::duration<double>(Clock::now() - start).count() > limit) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", arguments[1].c_str());
        return std::nullopt;
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string Shown(const std::optional<double>& seconds) {
    if (!seconds) return "> limit";
    char text[32];
    std::snprintf(text, sizeof text, "%.3f s", *seconds);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    double limit = 120;
    std::string tool = ALARMCLOCK_REG_PATH;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--limit") limit = std::atof(argv[i + 1]);
        if (option == "--tool") tool = argv[i + 1];
    }
    const std::filesystem::path work =
        std::filesystem::temp_directory_path() / ("registry_bench." + std::to_string(getpid()));
    std::printf("%-16s %12s %12s %12s\n", "case", "import", "export", "query /s");
    for (const Case& test : {Wide(1000), Wide(10000), Wide(100000), Deep(100), Deep(512), Deep(512, 255)}) {
        std::filesystem::remove_all(work);
        std::filesystem::create_directories(work);
        setenv("ALARMCLOCK_PREFIX", (work / "prefix").c_str(), 1);
        const std::string input = (work / "input.reg").string();
        std::ofstream(input, std::ios::binary) << test.regFile;
        const auto imported = Run({tool, "import", input}, limit);
        const auto exported = Run({tool, "export", kKey, (work / "output.reg").string(), "/y"}, limit);
        const auto queried = Run({tool, "query", kKey, "/s"}, limit);
        std::printf("%-16s %12s %12s %12s\n", test.label.c_str(), Shown(imported).c_str(),
                    Shown(exported).c_str(), Shown(queried).c_str());
        std::fflush(stdout);
    }
    std::filesystem::remove_all(work);
    return 0;
}
