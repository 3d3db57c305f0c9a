// TGroupBox: a BUTTON of the group-box style with the caption as its title; children sit in it at the
// layout's positions, and their reports to it are routed like a form's.
#pragma once

#include "framework/captioned.h"
#include "platform/win32/captioned_peer.h"

namespace win32backend {

class GroupBoxPeer : public CaptionedPeer<TGroupBox> {
  public:
    explicit GroupBoxPeer(TGroupBox& groupBox);

    LRESULT DefaultHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace win32backend
