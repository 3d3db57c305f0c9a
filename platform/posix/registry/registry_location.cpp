#include "platform/posix/registry/registry_location.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/posix/registry/registry_error.h"

namespace registry {

namespace {

std::string_view Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string_view() : std::string_view(value);
}

}  // namespace

std::filesystem::path RegistryPrefix() {
    if (std::string_view prefix = Environment("ALARMCLOCK_PREFIX"); !prefix.empty()) {
        return std::filesystem::path(prefix);
    }
    // The base directory rules say a relative XDG_CONFIG_HOME is invalid and must be ignored.
    if (std::string_view config = Environment("XDG_CONFIG_HOME"); !config.empty() && config.front() == '/') {
        return std::filesystem::path(config) / "alarmclock";
    }
    if (std::string_view home = Environment("HOME"); !home.empty()) {
        return std::filesystem::path(home) / ".config" / "alarmclock";
    }
    throw RegistryError(
        ERROR_CANTOPEN,
        "cannot locate the registry: neither ALARMCLOCK_PREFIX nor HOME is set, and XDG_CONFIG_HOME "
        "is not an absolute path");
}

const std::filesystem::path& RegistryDatabasePath() {
    // Asked at every registry call: made again only when a variable that it comes from has changed.
    struct Made {
        std::array<std::string, 3> sources;
        std::filesystem::path path;
    };
    thread_local std::optional<Made> made;
    const std::array<std::string_view, 3> sources = {Environment("ALARMCLOCK_PREFIX"),
                                                     Environment("XDG_CONFIG_HOME"), Environment("HOME")};
    if (!made || !std::ranges::equal(made->sources, sources)) {
        std::filesystem::path path = RegistryPrefix() / "registry.db";
        made =
            Made{{std::string(sources[0]), std::string(sources[1]), std::string(sources[2])}, std::move(path)};
    }
    return made->path;
}

}  // namespace registry
