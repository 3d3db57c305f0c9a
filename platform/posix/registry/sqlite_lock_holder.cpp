#include "platform/posix/registry/sqlite_lock_holder.h"

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <optional>

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

std::optional<pid_t> Holder(const std::filesystem::path& file, LockRange range) {
    const int descriptor = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return std::nullopt;
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    probe.l_start = range.start;
    probe.l_len = range.length;
    const bool asked = fcntl(descriptor, F_GETLK, &probe) == 0;
    close(descriptor);
    if (!asked || probe.l_type == F_UNLCK) return std::nullopt;
    return probe.l_pid;
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
