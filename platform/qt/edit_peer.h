// TEdit: a QLineEdit. What the user types goes to the control; text set from code is shown without being
// reported back, and MaxLength limits typing only.
#pragma once

#include <QLineEdit>

#include "framework/edit.h"
#include "platform/qt/control_peer.h"

namespace qtbackend {

class EditPeer : public TypedPeer<TEdit, QLineEdit> {
  public:
    explicit EditPeer(TEdit& edit);

  protected:
    void ShowAspect(widgetset::Aspect aspect) override;
};

}  // namespace qtbackend
