#include "platform/qt/group_box_peer.h"

namespace qtbackend {

void GroupBoxPeer::ShowCaption(const std::string& caption) { View()->setTitle(ToQString(caption)); }

}  // namespace qtbackend
