// TCheckBox: a QCheckBox. A click goes to the control, whose Checked setter decides the state shown.
#pragma once

#include <QCheckBox>

#include "framework/check_box.h"
#include "platform/qt/captioned_peers.h"

namespace qtbackend {

class CheckBoxPeer : public CaptionedPeer<TCheckBox, QCheckBox> {
  public:
    explicit CheckBoxPeer(TCheckBox& checkBox);

  protected:
    void ShowAspect(widgetset::Aspect aspect) override;

  private:
    void UserClicked();
};

}  // namespace qtbackend
