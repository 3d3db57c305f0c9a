#include "platform/posix/shell/shell_path_lookup.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace posix {

namespace {

// What a shell searches when PATH is not set.
constexpr std::string_view kDefaultPath = "/usr/local/bin:/usr/bin:/bin";

}  // namespace

bool IsExecutableFile(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::optional<std::string> FindOnPath(const std::string& name) {
    const char* variable = std::getenv("PATH");
    std::string_view path = variable != nullptr ? std::string_view(variable) : kDefaultPath;
    while (!path.empty()) {
        const std::size_t end = path.find(':');
        const std::string_view directory = path.substr(0, end);
        path = end == std::string_view::npos ? std::string_view{} : path.substr(end + 1);
        if (directory.empty() || directory.front() != '/') continue;
        std::string candidate = std::string(directory) + '/' + name;
        if (IsExecutableFile(candidate)) return candidate;
    }
    return std::nullopt;
}

}  // namespace posix
