// The fixture of the Win32 back-end tests: an application object, forms loaded from form-file text, and a
// loop run until something holds (or a deadline passes, which fails the test).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/form.h"
#include "platform/win32/control_peer.h"
#include "tests/platform/win32/desktop_user.h"

// A form that loads a layout and counts what its handlers and its window receive.
class TTestForm : public TForm {
    DECLARE_CLASS_INFO
  public:
    using TForm::TForm;
    void Load(std::string_view text) { LoadLayout(text); }

    void Clicked(TObject* sender) { ++clicks[static_cast<TComponent*>(sender)->Name()]; }
    void Changed(TObject* sender) { ++changes[static_cast<TComponent*>(sender)->Name()]; }

    std::map<std::string, int> clicks;
    std::map<std::string, int> changes;
};

class Win32Test : public ::testing::Test {
  protected:
    Win32Test();
    ~Win32Test() override;

    // A form owned by the application, loaded from text, shown and in the foreground.
    TTestForm& ShowForm(std::string_view layout);
    template <class Control>
    Control& Find(const std::string& name) {
        return *static_cast<Control*>(form->FindComponent(name));
    }
    static HWND WindowOf(TControl& control) { return win32backend::PeerOf(control).Handle(); }
    // Runs the loop until condition holds; fails the test, naming what, when it does not in time.
    static bool WaitUntil(const std::function<bool()>& condition, const std::string& what);
    // Waits until keys typed now reach the field: it has the focus and its window is the foreground one
    // (a window in the background keeps its focus but gets no keys).
    static bool WaitForKeysToReach(HWND field);
    // The user types the text, or presses the keys, while the loop runs.
    static void Type(const std::string& text);
    static void PressKeys(const std::string& keys);
    static void RunLoopUntilEnded(HANDLE process);

    using Pixels = desktop_user::Pixels;
    // The notification area's picture.
    static Pixels Tray();
    // The tray's picture once it is wanted and stayed the same for a moment: Wine's explorer clears an
    // icon's window before it draws a new image, and trayer moves an icon that it has just embedded, so a
    // click before that may miss the icon.
    static Pixels SettledTray(const std::function<bool(const Pixels&)>& wanted, const std::string& what);

    ComponentPtr<TApplication> application;
    TTestForm* form = nullptr;
};
