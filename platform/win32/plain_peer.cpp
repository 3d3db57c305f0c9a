#include "platform/win32/plain_peer.h"

#include "platform/win32/window_classes.h"

namespace win32backend {

PlainPeer::PlainPeer(TControl& control, bool everShown)
    : ControlPeer(control,
                  {.className = PlainWindowClass(), .style = WS_CLIPCHILDREN, .exStyle = WS_EX_CONTROLPARENT}),
      everShown_(everShown) {}

void PlainPeer::ShowVisible() { ShowWindow(Handle(), everShown_ && Control().Visible() ? SW_SHOWNA : SW_HIDE); }

}  // namespace win32backend
