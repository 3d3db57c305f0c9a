// How a thread spends its wait for another process's write lock on the registry: pauses of a millisecond
// until the lock is free or the wait's limit has passed on the wait's clock. By default a plain sleep on the
// system's monotonic clock, as the command-line tools need. A program with windows lets its interface thread
// keep the windows and the tray alive in the pauses instead, and its tests measure the wait in their virtual
// time; this library knows nothing of either.
#pragma once

#include <chrono>

namespace registry {

class LockWaiting {
  public:
    virtual ~LockWaiting() = default;
    // The time on the clock that the wait's limit is measured on.
    virtual std::chrono::steady_clock::time_point Now() = 0;
    // Lets about `step` pass on that clock. No registry call of this thread may run meanwhile: it would
    // run inside the waiting one, and is refused (ERROR_INVALID_FUNCTION).
    virtual void Pause(std::chrono::milliseconds step) = 0;
};

// The calling thread's waits from now on go through `waiting`, which must outlive them; null gives back
// the plain sleep.
void SetLockWaiting(LockWaiting* waiting);

// The time on the calling thread's wait clock, and a pause of its wait.
std::chrono::steady_clock::time_point LockWaitNow();
void PauseForLock(std::chrono::milliseconds step);
// Whether the calling thread is inside such a pause.
bool PausingForLock();

}  // namespace registry
