// TImage: the named icon of the program's resources in a STATIC; a click on it is the user's click on
// the control.
#pragma once

#include "framework/image.h"
#include "platform/win32/control_peer.h"

namespace win32backend {

class ImagePeer : public TypedPeer<TImage> {
  public:
    explicit ImagePeer(TImage& image);

  protected:
    void ShowAspect(widgetset::Aspect aspect) override;
    LRESULT Notified(UINT code, const NMHDR* header) override;
};

}  // namespace win32backend
