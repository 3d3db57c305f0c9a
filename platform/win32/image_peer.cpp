#include "platform/win32/image_peer.h"

namespace win32backend {

ImagePeer::ImagePeer(TImage& image)
    : ControlPeer(image, {.className = "STATIC", .style = SS_ICON | SS_NOTIFY}), image_(image) {}

void ImagePeer::ShowAspect(widgetset::Aspect aspect) {
    if (aspect != widgetset::Aspect::Picture) return;
    HICON icon = image_.PictureName().empty()
                     ? nullptr
                     : LoadIconA(GetModuleHandleA(nullptr), image_.PictureName().c_str());
    SendMessageA(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

LRESULT ImagePeer::Notified(UINT code, const NMHDR*) {
    if (code == STN_CLICKED) image_.UserClick();
    return 0;
}

}  // namespace win32backend
