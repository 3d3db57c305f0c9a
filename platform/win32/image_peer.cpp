#include "platform/win32/image_peer.h"

#include <string>

namespace win32backend {

ImagePeer::ImagePeer(TImage& image) : TypedPeer(image, {.className = "STATIC", .style = SS_ICON | SS_NOTIFY}) {}

void ImagePeer::ShowAspect(widgetset::Aspect aspect) {
    if (aspect != widgetset::Aspect::Picture) return;
    const std::string& name = Object().PictureName();
    HICON icon = name.empty() ? nullptr : LoadIconA(GetModuleHandleA(nullptr), name.c_str());
    SendMessageA(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

LRESULT ImagePeer::Notified(UINT code, const NMHDR*) {
    if (code == STN_CLICKED) Object().UserClick();
    return 0;
}

}  // namespace win32backend
