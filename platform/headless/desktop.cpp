#include "platform/headless/desktop.h"

namespace headless {

Desktop& Desktop::Instance() {
    static Desktop desktop;
    return desktop;
}

int Desktop::PeerUpdates(const TControl& control, widgetset::Aspect aspect) const {
    auto peer = peerUpdates_.find(&control);
    if (peer == peerUpdates_.end()) return 0;
    auto count = peer->second.find(aspect);
    return count == peer->second.end() ? 0 : count->second;
}

bool Desktop::ClaimInstance(const std::string& name, std::function<void()> anotherStart) {
    auto holder = instances_.find(name);
    if (holder != instances_.end()) {
        holder->second();
        return false;
    }
    instances_[name] = std::move(anotherStart);
    return true;
}

void Desktop::Reset() {
    clock_ = VirtualClock{};
    script_.Reset();
    media_ = MediaLibrary{};
    shell_ = HeadlessShell{};
    runLimit_ = std::chrono::hours{24};
    peerUpdates_.clear();
    instances_.clear();
    notificationArea_ = true;
    wakeUp_.reset();
    alarmNotice_.reset();
}

}  // namespace headless
