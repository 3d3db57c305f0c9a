// TEdit: an EDIT control. What the user types goes to the control; text set from code is shown without
// being reported back (the EN_CHANGE that WM_SETTEXT sends is recognised as our own), and MaxLength limits
// typing only, as EM_LIMITTEXT does.
#pragma once

#include "framework/edit.h"
#include "platform/win32/control_peer.h"

namespace win32backend {

class EditPeer : public TypedPeer<TEdit> {
  public:
    explicit EditPeer(TEdit& edit);

  protected:
    void ShowAspect(widgetset::Aspect aspect) override;
    LRESULT Notified(UINT code, const NMHDR* header) override;
};

}  // namespace win32backend
