// TGroupBox: a QGroupBox with the caption as its title; children sit at the layout's positions in it.
#pragma once

#include <QGroupBox>

#include "framework/captioned.h"
#include "platform/qt/captioned_peers.h"

namespace qtbackend {

class GroupBoxPeer : public CaptionedPeer<TGroupBox, QGroupBox> {
  public:
    using CaptionedPeer::CaptionedPeer;

  protected:
    void ShowCaption(const std::string& caption) override;
};

}  // namespace qtbackend
