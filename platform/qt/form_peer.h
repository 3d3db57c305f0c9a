// TForm: a top-level window of the form's client size at its position, decorated as its border style
// and border icons say. Showing it the first time places it and orders the tab chain and field names.
#pragma once

#include "framework/form.h"
#include "platform/qt/captioned_peers.h"
#include "platform/qt/form_window.h"

namespace qtbackend {

class FormPeer : public CaptionedPeer<TForm, FormWindow> {
  public:
    explicit FormPeer(TForm& form);

  protected:
    void ShowAspect(widgetset::Aspect aspect) override;
    void ShowBounds() override;
    void ShowVisible() override;

  private:
    void ApplyWindowFlags();
    bool Resizable() const;

    bool placed_ = false;
};

}  // namespace qtbackend
