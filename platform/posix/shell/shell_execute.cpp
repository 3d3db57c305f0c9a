// The shell's "Open" outside Windows: a program is started directly, detached, with its parameters split
// into arguments as on Windows and no shell in between; anything else that exists, and any URL, goes to
// the desktop's default application. Results follow Win32: above 32 on success, an SE_ERR_ or ERROR_ code
// otherwise, and a failure is shown to the user in a box, at once or, for the opener, when it ends.
#include <strings.h>
#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/core/win32_api.h"
#include "platform/posix/shell/process_spawn.h"
#include "platform/posix/shell/shell_command_line.h"
#include "platform/posix/shell/shell_desktop_open.h"
#include "platform/posix/shell/shell_error_box.h"
#include "platform/posix/shell/shell_path_lookup.h"
#include "platform/shell_error_text.h"

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

// 0 when path is a directory we can name, else the errno that says why not.
int DirectoryError(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return errno;
    return S_ISDIR(status.st_mode) ? 0 : ENOTDIR;
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

struct Outcome {
    int code = kSuccess;
    std::string failure;  // what the user is told when the code is not a success
};

// The parameters reach the program as its C runtime on Windows would have split them.
Outcome Run(const std::string& program, const std::string& file, LPCSTR parameters,
            const std::string& directory) {
    std::vector<std::string> argv{file};
    for (std::string& argument : posix::SplitArguments(TextOrEmpty(parameters)))
        argv.push_back(std::move(argument));
    const int error = posix::Spawn(program, argv, directory);
    if (error == 0) return {};
    return {SpawnFailure(error), ShellCannotRunText(file, std::strerror(error))};
}

// The opener is not waited for: how it ended is known on another thread, and its failure reaches the user
// from the interface thread's queue.
Outcome OpenWithDesktop(const std::string& target, const std::string& file, const std::string& directory) {
    const auto failure = posix::OpenWithDesktop(
        target, directory, [file, post = posix::ShellErrorPoster()](const std::string& reason) {
            post(ShellCannotOpenText(file, reason));
        });
    if (!failure) return {};
    return {SE_ERR_NOASSOC, ShellCannotOpenText(file, *failure)};
}

Outcome Execute(LPCSTR operation, const std::string& file, LPCSTR parameters, const std::string& directory) {
    // The verb this program uses; "print", "edit" and the rest have no meaning here.
    if (operation != nullptr && strcasecmp(operation, "open") != 0)
        return {SE_ERR_NOASSOC, "Cannot " + std::string(operation) + " " + file + ": no application does that"};
    if (file.empty()) return {SE_ERR_FNF, "Cannot run a program without a name"};
    if (!directory.empty()) {
        if (const int error = DirectoryError(directory))
            return {SE_ERR_PNF,
                    ShellCannotRunText(file, "working directory " + directory + ": " + std::strerror(error))};
    }
    if (IsUrl(file)) return OpenWithDesktop(file, file, directory);
    if (const auto program = FindProgram(file)) return Run(*program, file, parameters, directory);
    // Absolute, so that a document named "-x" can never be taken for an option of the opener.
    const auto document = AbsolutePath(file);
    std::error_code error;
    if (!document || !std::filesystem::exists(*document, error))
        return {SE_ERR_FNF, ShellCannotRunText(file, std::strerror(ENOENT))};
    return OpenWithDesktop(*document, file, directory);
}

}  // namespace

HINSTANCE WINAPI ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory, int) {
    const Outcome outcome = Execute(operation, TextOrEmpty(file), parameters, TextOrEmpty(directory));
    // As the desktop's shell does, a file that cannot be opened is not left without a word to the user.
    if (outcome.code <= 32) posix::ShowShellError(outcome.failure);
    return reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(outcome.code));
}
