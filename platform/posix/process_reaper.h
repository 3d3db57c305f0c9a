// A child process that a thread of its own waits for, so that it never lingers as a zombie whether or
// not anyone asks how it ended, and without a SIGCHLD handler that would take children from other code.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <memory>
#include <optional>

namespace posix {

class ReapedChild {
  public:
    // Starts waiting for pid, which must be a child of this process that nobody else waits for.
    explicit ReapedChild(pid_t pid);

    pid_t Pid() const { return pid_; }
    // The status as waitpid gives it, or nothing when the child is still running after bound.
    std::optional<int> WaitForExit(std::chrono::milliseconds bound) const;

  private:
    struct Exit;

    pid_t pid_;
    std::shared_ptr<Exit> exit_;
};

}  // namespace posix
