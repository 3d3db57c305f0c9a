// TButton: a QPushButton whose click is the user's click on the control.
#pragma once

#include <QPushButton>

#include "framework/captioned.h"
#include "platform/qt/captioned_peers.h"

namespace qtbackend {

class ButtonPeer : public CaptionedPeer<TButton, QPushButton> {
  public:
    explicit ButtonPeer(TButton& button);
};

}  // namespace qtbackend
