// TCheckBox: a check box of the BUTTON class that does not tick itself: a click goes to the control,
// whose Checked setter decides the state shown. A state set from code (BM_SETCHECK) reports nothing.
#pragma once

#include "framework/check_box.h"
#include "platform/win32/captioned_peers.h"

namespace win32backend {

class CheckBoxPeer : public CaptionedPeer<TCheckBox> {
  public:
    explicit CheckBoxPeer(TCheckBox& checkBox);

  protected:
    void ShowAspect(widgetset::Aspect aspect) override;
    LRESULT Notified(UINT code, const NMHDR* header) override;
};

}  // namespace win32backend
