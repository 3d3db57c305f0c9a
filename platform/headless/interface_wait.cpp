#include "platform/headless/interface_wait.h"

#include "framework/widgetset/interface_wait.h"
#include "platform/headless/desktop.h"
#include "platform/posix/registry/lock_waiting.h"

namespace headless {

namespace {

class VirtualLockWaiting final : public registry::LockWaiting {
  public:
    std::chrono::steady_clock::time_point Now() override {
        return std::chrono::steady_clock::time_point(Desktop::Instance().Clock().Uptime());
    }
    void Pause(std::chrono::milliseconds step) override {
        widgetset::WaitKeepingInterfaceAlive(step, [] { return false; });
    }
};

}  // namespace

void KeepInterfaceAliveInRegistryWaits() {
    static VirtualLockWaiting waiting;
    registry::SetLockWaiting(&waiting);
}

}  // namespace headless

bool widgetset::WaitKeepingInterfaceAlive(std::chrono::milliseconds longest,
                                          const std::function<bool()>& done) {
    return headless::Desktop::Instance().Loop().WaitKeepingAlive(longest, done);
}
