#include "platform/posix/registry/sqlite_lock_holder.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <limits>
#include <optional>
#include <sstream>

namespace registry {

namespace {

// SQLite's lock bytes (its file format documentation). In write-ahead mode, where every connection holds a
// shared lock on the database, the "-shm" file's bytes 120 (writer), 121 (checkpointer) and 122 (recovery)
// tell the writer. In rollback mode the database's pending and reserved bytes from 2^30 tell a writer, and
// the 510 shared bytes after them the readers a commit waits for.
struct LockRange {
    off_t start;
    off_t length;
};
constexpr LockRange kWalWriter{120, 3};
constexpr LockRange kRollbackLocks[] = {{0x40000000, 2}, {0x40000002, 510}};

// How /proc/locks names a file: its device's major and minor numbers in hex, then its inode.
std::optional<std::string> LockListName(const std::filesystem::path& file) {
    struct stat status {};
    if (stat(file.c_str(), &status) != 0) return std::nullopt;
    char name[64];
    std::snprintf(name, sizeof name, "%02x:%02x:%ju", major(status.st_dev), minor(status.st_dev),
                  static_cast<std::uintmax_t>(status.st_ino));
    return name;
}

// Read from the kernel's list of locks. Asking with F_GETLK would need a descriptor of the file, and closing
// any descriptor of a file lets go of every lock this process holds on it: SQLite's own among them.
std::optional<pid_t> Holder(const std::filesystem::path& file, LockRange range) {
    const auto name = LockListName(file);
    if (!name) return std::nullopt;
    std::ifstream locks("/proc/locks");
    for (std::string line; std::getline(locks, line);) {
        // "1: POSIX  ADVISORY  WRITE 4242 fe:00:1234 120 122", the end "EOF" for a lock to the end of the
        // file. A process waiting for a lock has "->" before the kind, and holds nothing yet.
        std::istringstream fields(line);
        std::string number, kind, mandatory, access, lockedFile, last;
        pid_t holder = 0;
        off_t first = 0;
        fields >> number >> kind >> mandatory >> access >> holder >> lockedFile >> first >> last;
        if (!fields || kind != "POSIX" || lockedFile != *name || holder == getpid()) continue;
        off_t end = std::numeric_limits<off_t>::max();
        if (last != "EOF" && std::from_chars(last.data(), last.data() + last.size(), end).ec != std::errc())
            continue;
        if (first < range.start + range.length && end >= range.start) return holder;
    }
    return std::nullopt;
}

std::string ProgramName(pid_t process) {
    std::string name;
    std::getline(std::ifstream("/proc/" + std::to_string(process) + "/comm"), name);
    return name;
}

}  // namespace

std::string DescribeLockHolder(const std::filesystem::path& database) {
    std::optional<pid_t> holder;
    const std::filesystem::path shared = database.string() + "-shm";
    if (std::error_code ignored; std::filesystem::exists(shared, ignored)) {
        holder = Holder(shared, kWalWriter);
    } else {
        for (const LockRange& range : kRollbackLocks) holder = holder ? holder : Holder(database, range);
    }
    if (!holder) return "(held by another process)";
    const std::string name = ProgramName(*holder);
    return "(held by process " + std::to_string(*holder) + (name.empty() ? "" : ", " + name) + ")";
}

}  // namespace registry
