// TLabel: a QLabel, as large as its text needs at least (a label sizes itself to its text by default).
// Its access key moves the focus to the field it names (field_names.h sets the buddy).
#pragma once

#include <QLabel>

#include "framework/captioned.h"
#include "platform/qt/captioned_peers.h"

namespace qtbackend {

class LabelPeer : public CaptionedPeer<TLabel, QLabel> {
  public:
    explicit LabelPeer(TLabel& label);

  protected:
    void ShowAspect(widgetset::Aspect aspect) override;
    void ShowBounds() override;
};

}  // namespace qtbackend
