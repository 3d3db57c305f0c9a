// The shell's "Open" outside Windows: a program is started directly, detached, with its parameters split
// into arguments and no shell in between; anything else that exists, and any URL, goes to the desktop's
// default application. Results follow Win32: above 32 on success, an SE_ERR_ or ERROR_ code otherwise.
#include <strings.h>
#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/process_spawn.h"
#include "platform/posix/shell_command_line.h"
#include "platform/posix/shell_desktop_open.h"
#include "platform/posix/shell_path_lookup.h"
#include "platform/posix/win32_api.h"

namespace {

// Any value above 32 means success; Win32 returns a fake instance handle.
constexpr int kSuccess = 42;

std::string TextOrEmpty(LPCSTR text) { return text != nullptr ? text : ""; }

// scheme://rest, where a scheme starts with a letter, so a URL never reads as an option.
bool IsUrl(const std::string& target) {
    const std::size_t colon = target.find("://");
    if (colon == std::string::npos || !std::isalpha(static_cast<unsigned char>(target[0]))) return false;
    for (std::size_t i = 1; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(target[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return true;
}

bool IsDirectory(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Nothing when the current directory is gone.
std::optional<std::string> AbsolutePath(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) return std::nullopt;
    return absolute.string();
}

// A name with a slash is a path; a bare name is looked for on PATH. Relative paths are made absolute
// here, because the child resolves its program after changing to the working directory.
std::optional<std::string> FindProgram(const std::string& file) {
    if (file.find('/') == std::string::npos) return posix::FindOnPath(file);
    if (!posix::IsExecutableFile(file)) return std::nullopt;
    return AbsolutePath(file);
}

int SpawnFailure(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
        case ELOOP:
            return SE_ERR_FNF;
        case EACCES:
        case EPERM:
            return SE_ERR_ACCESSDENIED;
        case ENOEXEC:
            return ERROR_BAD_FORMAT;
        default:
            return SE_ERR_NOASSOC;
    }
}

// Parameters that cannot be split (an unclosed quote) make a command line Win32 would not run either:
// they are reported as a bad format.
int Run(const std::string& program, const std::string& file, LPCSTR parameters, const std::string& directory) {
    const auto arguments = posix::SplitParameters(parameters);
    if (!arguments) return ERROR_BAD_FORMAT;
    std::vector<std::string> argv{file};
    argv.insert(argv.end(), arguments->begin(), arguments->end());
    const posix::SpawnResult spawned = posix::Spawn(program, argv, directory);
    return spawned.child ? kSuccess : SpawnFailure(spawned.error);
}

int OpenWithDesktop(const std::string& target, const std::string& directory) {
    return posix::OpenWithDesktop(target, directory) == posix::DesktopOpen::Opened ? kSuccess : SE_ERR_NOASSOC;
}

int Execute(LPCSTR operation, const std::string& file, LPCSTR parameters, const std::string& directory) {
    // The verb this program uses; "print", "edit" and the rest have no meaning here.
    if (operation != nullptr && strcasecmp(operation, "open") != 0) return SE_ERR_NOASSOC;
    if (file.empty()) return SE_ERR_FNF;
    if (!directory.empty() && !IsDirectory(directory)) return SE_ERR_PNF;
    if (IsUrl(file)) return OpenWithDesktop(file, directory);
    if (const auto program = FindProgram(file)) return Run(*program, file, parameters, directory);
    // Absolute, so that a document named "-x" can never be taken for an option of the opener.
    const auto document = AbsolutePath(file);
    std::error_code error;
    if (!document || !std::filesystem::exists(*document, error)) return SE_ERR_FNF;
    return OpenWithDesktop(*document, directory);
}

}  // namespace

HINSTANCE WINAPI ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory, int) {
    const int result = Execute(operation, TextOrEmpty(file), parameters, TextOrEmpty(directory));
    return reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(result));
}
