// TImage: the named icon at its natural size in the control's top-left corner; a click on it is the user's
// click on the control.
#pragma once

#include <QLabel>

#include "framework/image.h"
#include "platform/qt/control_peer.h"

namespace qtbackend {

class ImagePeer : public TypedPeer<TImage, QLabel> {
  public:
    explicit ImagePeer(TImage& image);

  protected:
    void ShowAspect(widgetset::Aspect aspect) override;
};

}  // namespace qtbackend
