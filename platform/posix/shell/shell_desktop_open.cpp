#include "platform/posix/shell/shell_desktop_open.h"

#include <sys/wait.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/shell/process_spawn.h"
#include "platform/posix/shell/shell_path_lookup.h"

namespace posix {

namespace {

// Nothing for success; the exit codes are xdg-open's own.
std::optional<std::string> OpenerFailure(int status) {
    if (status == -1) return "xdg-open could not be followed";
    if (WIFSIGNALED(status)) return std::string("xdg-open ended abnormally: ") + strsignal(WTERMSIG(status));
    switch (WEXITSTATUS(status)) {
        case 0:
            return std::nullopt;
        case 2:
            return std::strerror(ENOENT);
        case 3:
            return "no application is set to open it";
        case 4:
            return "the application failed to open it";
        default:
            return "xdg-open failed with exit status " + std::to_string(WEXITSTATUS(status));
    }
}

}  // namespace

std::optional<std::string> OpenWithDesktop(const std::string& target, const std::string& directory,
                                           std::function<void(std::string reason)> failed) {
    const auto opener = FindOnPath("xdg-open");
    if (!opener) return "no application is set to open it (xdg-open is missing)";
    const int error = Spawn(*opener, {"xdg-open", target}, directory, [failed = std::move(failed)](int status) {
        if (auto reason = OpenerFailure(status)) failed(std::move(*reason));
    });
    if (error != 0) return std::string("xdg-open: ") + std::strerror(error);
    return std::nullopt;
}

}  // namespace posix
