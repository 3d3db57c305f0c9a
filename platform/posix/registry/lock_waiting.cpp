#include "platform/posix/registry/lock_waiting.h"

#include <thread>
#include <utility>

namespace registry {

namespace {

class Sleeping final : public LockWaiting {
  public:
    std::chrono::steady_clock::time_point Now() override { return std::chrono::steady_clock::now(); }
    void Pause(std::chrono::milliseconds step) override { std::this_thread::sleep_for(step); }
};

// Per thread: only the thread that runs an interface may keep it alive while it waits.
thread_local LockWaiting* chosen = nullptr;
thread_local bool pausing = false;

LockWaiting& Chosen() {
    static Sleeping sleeping;
    return chosen != nullptr ? *chosen : sleeping;
}

}  // namespace

void SetLockWaiting(LockWaiting* waiting) { chosen = waiting; }

std::chrono::steady_clock::time_point LockWaitNow() { return Chosen().Now(); }

void PauseForLock(std::chrono::milliseconds step) {
    // Marked however the pause ends, an exception of the interface's included.
    struct Marking {
        bool outer = std::exchange(pausing, true);
        ~Marking() { pausing = outer; }
    } marking;
    Chosen().Pause(step);
}

bool PausingForLock() { return pausing; }

}  // namespace registry
