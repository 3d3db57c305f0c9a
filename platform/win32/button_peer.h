// TButton: a push button of the system's BUTTON class; its click is the user's click on the control.
#pragma once

#include "framework/captioned.h"
#include "platform/win32/captioned_peer.h"

namespace win32backend {

class ButtonPeer : public CaptionedPeer<TButton> {
  public:
    explicit ButtonPeer(TButton& button);

  protected:
    LRESULT Notified(UINT code, const NMHDR* header) override;
};

}  // namespace win32backend
