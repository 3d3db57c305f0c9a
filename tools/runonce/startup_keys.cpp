#include "tools/runonce/startup_keys.h"

#include <cstring>
#include <optional>
#include <set>

#include "platform/api.h"
#include "platform/posix/registry/registry_trust.h"
#include "platform/posix/shell/process_spawn.h"
#include "platform/posix/shell/shell_command_line.h"
#include "platform/posix/shell/shell_path_lookup.h"
#include "platform/registry_error_text.h"

namespace {

const std::string kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kRunOnceKey = kRunKey + "Once";

struct Value {
    std::string name;
    DWORD type;
    std::string text;  // up to the first NUL
};

// Every value of the key, read before any is deleted so that deleting cannot shift the enumeration.
std::vector<Value> ReadValues(HKEY key) {
    std::vector<Value> values;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD nameSize = sizeof name;
        DWORD type = REG_NONE;
        DWORD dataSize = 0;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, nullptr, &dataSize) != ERROR_SUCCESS)
            break;
        std::string data(dataSize, '\0');
        nameSize = sizeof name;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                          &dataSize) != ERROR_SUCCESS) {
            break;
        }
        data.resize(dataSize);
        values.push_back({std::string(name, nameSize), type, std::string(data.c_str())});
    }
    return values;
}

// The command's arguments: the whole text when it names an executable (a path with spaces, unquoted, as
// the program writes its own), else the words of a command line as a Windows program's runtime splits it.
std::vector<std::string> Arguments(const std::string& command) {
    if (posix::IsExecutableFile(command)) return {command};
    return posix::SplitCommandLine(command);
}

// Starts the command's arguments without a shell; the reason when it cannot.
std::optional<std::string> Start(const std::vector<std::string>& argv) {
    if (argv.empty()) return "no program in the command";
    const std::string& name = argv.front();
    const auto program = name.find('/') != std::string::npos
                             ? (posix::IsExecutableFile(name) ? std::optional(name) : std::nullopt)
                             : posix::FindOnPath(name);
    if (!program) return name + ": no such program";
    if (const int error = posix::Spawn(*program, argv, "")) return name + ": " + std::strerror(error);
    return std::nullopt;
}

bool IsString(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

class KeyRunner {
  public:
    explicit KeyRunner(StartupReport& report) : report_(report) {}

    // once: each value goes before its command runs, or after it for a name that begins with '!'.
    void Run(HKEY root, const std::string& path, bool once) {
        const std::string fullPath =
            (root == HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\") + path;
        HKEY key = nullptr;
        const LSTATUS status = RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key);
        if (status == ERROR_FILE_NOT_FOUND) return;
        if (status != ERROR_SUCCESS) {
            report_.failures.push_back(fullPath + ": " + RegistryErrorText(status));
            return;
        }
        for (const Value& value : ReadValues(key)) {
            const bool runnable = IsString(value.type) && !value.text.empty();
            const bool deleteAfter = once && runnable && value.name.starts_with('!');
            if (once && !deleteAfter) Delete(key, fullPath, value.name);
            if (runnable) StartValue(fullPath, value);
            if (deleteAfter) Delete(key, fullPath, value.name);
        }
        RegCloseKey(key);
    }

  private:
    // A command already started at this login is not started again: the program's entry under the user's
    // Run key and one an earlier version left under the machine's RunOnce key would otherwise start it
    // twice, and the second start would bring its window up. Commands are the same by their words, so
    // that the path in quotes, as the program writes it now, is the same as an earlier version's bare one.
    void StartValue(const std::string& path, const Value& value) {
        const std::vector<std::string> argv = Arguments(value.text);
        if (!argv.empty() && !started_.insert(argv).second) return;
        if (const auto failure = Start(argv)) {
            report_.failures.push_back(path + "\\" + value.name + ": " + *failure);
        } else {
            ++report_.started;
        }
    }

    void Delete(HKEY key, const std::string& path, const std::string& name) {
        const LSTATUS status = RegDeleteValueA(key, name.c_str());
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
            report_.failures.push_back(path + "\\" + name + ": cannot delete: " + RegistryErrorText(status));
        }
    }

    StartupReport& report_;
    std::set<std::vector<std::string>> started_;
};

}  // namespace

StartupReport RunStartupKeys() {
    StartupReport report;
    // Another user could have planted the commands: run none of them.
    if (const auto problem = registry::RegistryWritableByOthers()) {
        report.failures.push_back("not running the start-up commands: " + *problem);
        return report;
    }
    KeyRunner runner(report);
    // The system's order: the machine's keys, then the user's Run, then the user's RunOnce.
    runner.Run(HKEY_LOCAL_MACHINE, kRunOnceKey, true);
    runner.Run(HKEY_LOCAL_MACHINE, kRunKey, false);
    runner.Run(HKEY_CURRENT_USER, kRunKey, false);
    runner.Run(HKEY_CURRENT_USER, kRunOnceKey, true);
    return report;
}
