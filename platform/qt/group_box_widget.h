// The group box's widget: a QGroupBox drawn as a group box is on Windows, its caption on the frame's top
// line near the left and the frame's inside free from the caption's line down, where the layout puts
// the first row of controls.
#pragma once

#include <QGroupBox>

namespace qtbackend {

class GroupBoxWidget : public QGroupBox {
  public:
    using QGroupBox::QGroupBox;

    // Where the caption starts, as on Windows.
    static constexpr int kCaptionLeft = 8;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace qtbackend
