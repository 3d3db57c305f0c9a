#include "platform/posix/shell_desktop_open.h"

#include <sys/wait.h>

#include <chrono>

#include "platform/posix/process_spawn.h"
#include "platform/posix/shell_path_lookup.h"

namespace posix {

namespace {

constexpr std::chrono::seconds kOpenerBound{5};

}  // namespace

DesktopOpen OpenWithDesktop(const std::string& target, const std::string& directory) {
    const auto opener = FindOnPath("xdg-open");
    if (!opener) return DesktopOpen::NoOpener;
    const SpawnResult spawned = Spawn(*opener, {"xdg-open", target}, directory);
    if (!spawned.child) return DesktopOpen::NoOpener;
    const std::optional<int> status = spawned.child->WaitForExit(kOpenerBound);
    if (!status) return DesktopOpen::Opened;
    return WIFEXITED(*status) && WEXITSTATUS(*status) == 0 ? DesktopOpen::Opened : DesktopOpen::NoOpener;
}

}  // namespace posix
