// TForm: a top-level window of the form's client size, decorated as its border style and border icons
// say (a single border has no maximize box). Closing it by its title bar is reported, not done: the
// framework decides, and hides the window through the form's Visible. Showing it the first time places it
// (centred, when the layout says so) and orders its tab chain.
#pragma once

#include "framework/form.h"
#include "platform/win32/captioned_peers.h"

namespace win32backend {

class FormPeer : public CaptionedPeer<TForm> {
  public:
    explicit FormPeer(TForm& form);

    LRESULT DefaultHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    void ShowAspect(widgetset::Aspect aspect) override;
    void ShowBounds() override;
    void ShowVisible() override;

  private:
    void Place();

    bool placed_ = false;
};

}  // namespace win32backend
