#include "platform/qt/interface_wait.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <utility>
#include <vector>

#include "framework/widgetset/interface_wait.h"
#include "platform/posix/registry/lock_waiting.h"
#include "platform/qt/event_loop.h"

namespace qtbackend {

namespace {

// How often a wait looks at its condition when no event comes.
constexpr std::chrono::milliseconds kLookInterval{10};

int waits = 0;

std::vector<std::function<void()>>& Held() {
    static std::vector<std::function<void()>> held;
    return held;
}

// Runs from the loop. Inside a wait begun meanwhile it leaves everything held: that wait's end posts it
// again.
void RunHeld() {
    if (InterfaceWaiting()) return;
    for (std::function<void()>& work : std::exchange(Held(), {})) work();
}

class Waiting {
  public:
    Waiting() { ++waits; }
    ~Waiting() {
        if (--waits == 0 && !Held().empty()) {
            QMetaObject::invokeMethod(QCoreApplication::instance(), &RunHeld, Qt::QueuedConnection);
        }
    }
    Waiting(const Waiting&) = delete;
    Waiting& operator=(const Waiting&) = delete;
};

// Another process's registry lock waited for on the system's clock, each step a wait that keeps the
// interface alive.
class InterfaceLockWaiting final : public registry::LockWaiting {
  public:
    std::chrono::steady_clock::time_point Now() override { return std::chrono::steady_clock::now(); }
    void Pause(std::chrono::milliseconds step) override {
        widgetset::WaitKeepingInterfaceAlive(step, [] { return false; });
    }
};

bool WaitKeepingAlive(std::chrono::milliseconds longest, const std::function<bool()>& done) {
    using std::chrono::steady_clock;
    EnsureApplication();
    const steady_clock::time_point end = steady_clock::now() + longest;
    const Waiting waiting;
    // Wakes the loop to look at the condition and the time when no event does.
    QTimer look;
    look.setTimerType(Qt::PreciseTimer);
    look.start(std::min(longest, kLookInterval));
    while (!done()) {
        if (steady_clock::now() >= end) return false;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

}  // namespace

bool InterfaceWaiting() { return waits > 0; }

void RunOrHold(std::function<void()> work) {
    if (InterfaceWaiting()) {
        Held().push_back(std::move(work));
    } else {
        work();
    }
}

void KeepInterfaceAliveInRegistryWaits() {
    static InterfaceLockWaiting waiting;
    registry::SetLockWaiting(&waiting);
}

}  // namespace qtbackend

bool widgetset::WaitKeepingInterfaceAlive(std::chrono::milliseconds longest,
                                          const std::function<bool()>& done) {
    return qtbackend::WaitKeepingAlive(longest, done);
}
