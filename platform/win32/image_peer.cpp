#include <string>

#include "framework/image.h"
#include "framework/widgetset/peer_kinds.h"
#include "platform/win32/control_peer.h"

namespace win32backend {

namespace {

// TImage: the named icon of the program's resources in a STATIC; a click on it is the user's click on
// the control.
class ImagePeer : public TypedPeer<TImage> {
  public:
    explicit ImagePeer(TImage& image)
        : TypedPeer(image, {.className = "STATIC", .style = SS_ICON | SS_NOTIFY, .click = STN_CLICKED}) {}

  protected:
    void ShowAspect(widgetset::Aspect aspect) override {
        if (aspect != widgetset::Aspect::Picture) return;
        const std::string& name = Object().PictureName();
        HICON icon = name.empty() ? nullptr : LoadIconA(GetModuleHandleA(nullptr), name.c_str());
        SendMessageA(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    }
};

}  // namespace

}  // namespace win32backend

peer_kinds::Peer peer_kinds::MakePeer(TImage& image) {
    return std::make_unique<win32backend::ImagePeer>(image);
}
