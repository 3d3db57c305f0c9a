#include "platform/posix/registry/registry_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/posix/registry/registry_error.h"

namespace registry {

namespace {

[[noreturn]] void FailOn(const std::filesystem::path& path, int error) {
    throw RegistryError(ERROR_CANTOPEN, path.string() + ": " + std::strerror(error));
}

// chmod after creating, because the umask may have removed bits we asked for.
void MakeDirectory(const std::filesystem::path& directory) {
    if (mkdir(directory.c_str(), 0700) == 0) {
        if (chmod(directory.c_str(), 0700) != 0) FailOn(directory, errno);
    } else if (errno != EEXIST) {
        FailOn(directory, errno);
    } else if (struct stat existing{}; stat(directory.c_str(), &existing) != 0 || !S_ISDIR(existing.st_mode)) {
        FailOn(directory, ENOTDIR);
    }
}

}  // namespace

void CreatePrivateDirectories(const std::filesystem::path& directory) {
    std::filesystem::path made;
    for (const std::filesystem::path& part : directory) {
        made /= part;
        MakeDirectory(made);
    }
}

void PrepareRegistryFile(const std::filesystem::path& file) {
    CreatePrivateDirectories(file.parent_path());
    int descriptor = open(file.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        if (errno == EEXIST) return;
        FailOn(file, errno);
    }
    int result = fchmod(descriptor, 0600);
    int error = errno;
    close(descriptor);
    if (result != 0) FailOn(file, error);
}

}  // namespace registry
