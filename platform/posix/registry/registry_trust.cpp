#include "platform/posix/registry/registry_trust.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "platform/posix/registry/registry_error.h"
#include "platform/posix/registry/registry_location.h"

namespace registry {

namespace {

std::string Octal(mode_t mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
    return text;
}

std::optional<std::string> Problem(const std::filesystem::path& path, const char* privateMode, uid_t user) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return std::nullopt;  // what is missing is made private
    if (status.st_uid != user && status.st_uid != 0) {
        return path.string() + " belongs to another user (uid " + std::to_string(status.st_uid) +
               "); have root give it to you: chown " + std::to_string(user) + " '" + path.string() + "'";
    }
    if ((status.st_mode & S_IWOTH) != 0) {
        return path.string() + " can be changed by every user (mode " + Octal(status.st_mode) +
               "); make it yours alone with: chmod " + privateMode + " '" + path.string() + "'";
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> OthersCanWrite(const std::filesystem::path& file) {
    const uid_t user = geteuid();
    if (auto problem = Problem(file.parent_path(), "700", user)) return problem;
    for (const char* suffix : {"", "-wal", "-shm"}) {
        if (auto problem = Problem(file.string() + suffix, "600", user)) return problem;
    }
    return std::nullopt;
}

void RefuseIfOthersCanWrite(const std::filesystem::path& file) {
    if (auto problem = OthersCanWrite(file)) throw RegistryError(ERROR_ACCESS_DENIED, *problem);
}

std::optional<std::string> RegistryWritableByOthers() {
    try {
        return OthersCanWrite(RegistryDatabasePath());
    } catch (const RegistryError&) {
        return std::nullopt;
    }
}

}  // namespace registry
