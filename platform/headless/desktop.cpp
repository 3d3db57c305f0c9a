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

void Desktop::Reset() {
    clock_ = VirtualClock{};
    script_.Reset();
    media_ = MediaLibrary{};
    shell_ = HeadlessShell{};
    runLimit_ = std::chrono::hours{24};
    peerUpdates_.clear();
}

}  // namespace headless
