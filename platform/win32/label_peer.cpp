#include "platform/win32/label_peer.h"

#include <algorithm>

#include "platform/win32/fonts.h"
#include "platform/win32/screen_scale.h"

namespace win32backend {

LabelPeer::LabelPeer(TLabel& label)
    : CaptionedPeer(label, {.className = "STATIC", .style = SS_LEFT | SS_NOTIFY}) {}

void LabelPeer::ShowAspect(widgetset::Aspect aspect) {
    CaptionedPeer::ShowAspect(aspect);
    if (aspect == widgetset::Aspect::Caption) ShowBounds();
}

void LabelPeer::ShowBounds() {
    RECT text{0, 0, 0, 0};
    HDC context = GetDC(Handle());
    HGDIOBJ previous = SelectObject(context, FontFor(object_.Font()));
    DrawTextA(context, object_.Caption().c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(context, previous);
    ReleaseDC(Handle(), context);
    MoveWindow(Handle(), Scaled(object_.Left()), Scaled(object_.Top()),
               std::max<int>(Scaled(object_.Width()), text.right),
               std::max<int>(Scaled(object_.Height()), text.bottom), TRUE);
}

}  // namespace win32backend
