// Children that a thread of their own waits for, so that none lingers as a zombie whether or not anyone
// asks how it ended, and without a SIGCHLD handler that would take children from other code.
#pragma once

#include <sys/types.h>

#include <functional>

namespace posix {

// Called on the waiting thread with the status as waitpid gives it (-1 when it could not be had).
using ExitHandler = std::function<void(int status)>;

// Starts waiting for pid, which must be a child of this process that nobody else waits for; exited, when
// given, is told how it ended.
void Reap(pid_t pid, ExitHandler exited);

}  // namespace posix
