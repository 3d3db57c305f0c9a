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

bool Desktop::ClaimInstance(const std::string& name, widgetset::InstanceRequests requests) {
    auto holder = instances_.find(name);
    if (holder != instances_.end()) {
        holder->second({});
        return false;
    }
    instances_[name] = std::move(requests);
    return true;
}

std::optional<widgetset::InstanceAnswer> Desktop::AskInstance(const std::string& name,
                                                              const std::string& request) {
    auto holder = instances_.find(name);
    if (holder == instances_.end()) return std::nullopt;
    return holder->second(request);
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
