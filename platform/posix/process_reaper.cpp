#include "platform/posix/process_reaper.h"

#include <sys/wait.h>

#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace posix {

// Shared with the waiting thread, which outlives the handle when nobody waits.
struct ReapedChild::Exit {
    std::mutex mutex;
    std::condition_variable ended;
    std::optional<int> status;
};

ReapedChild::ReapedChild(pid_t pid) : pid_(pid), exit_(std::make_shared<Exit>()) {
    std::thread([pid, exit = exit_] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0) {
            if (errno != EINTR) {
                status = -1;
                break;
            }
        }
        std::lock_guard lock(exit->mutex);
        exit->status = status;
        exit->ended.notify_all();
    }).detach();
}

std::optional<int> ReapedChild::WaitForExit(std::chrono::milliseconds bound) const {
    std::unique_lock lock(exit_->mutex);
    exit_->ended.wait_for(lock, bound, [this] { return exit_->status.has_value(); });
    return exit_->status;
}

}  // namespace posix
