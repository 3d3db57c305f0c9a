// What the desktop back ends' tests share: a form that loads form-file text and records what its handlers
// and its window receive, and a fixture with an application object that shows such forms and runs the loop
// until something holds. No toolkit's or system's header here: the Qt tests build it with g++, the Win32
// tests with MinGW-w64; each back end's fixture adds its own view of the controls.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/application.h"
#include "framework/form.h"

namespace desktop_test {

// How long a test waits for what it expects before it fails, and how often the loop wakes meanwhile.
inline constexpr std::chrono::seconds kDeadline{15};
inline constexpr unsigned kPollMs = 20;

}  // namespace desktop_test

// A form that loads a layout and counts what its handlers and its window receive.
class TTestForm : public TForm {
    DECLARE_CLASS_INFO
  public:
    using TForm::TForm;
    void Load(std::string_view text) { LoadLayout(text); }

    void Clicked(TObject* sender) { ++clicks[static_cast<TComponent*>(sender)->Name()]; }
    void Changed(TObject* sender) { ++changes[static_cast<TComponent*>(sender)->Name()]; }
    void WindowProc(TMessage& message) override;

    std::map<std::string, int> clicks;
    std::map<std::string, int> changes;
    // Every message of the form's window with its wParam and lParam; onMessage runs for each.
    std::vector<TMessage> messages;
    std::function<void(const TMessage&)> onMessage;
};

// The program's layout without what only the program has: its handlers and its tray component.
std::string ProgramLayoutForTest();

class DesktopTest : public ::testing::Test {
  protected:
    explicit DesktopTest(const std::string& title);

    // A form owned by the application, loaded from text and shown; returned once its window is on screen.
    TTestForm& ShowForm(std::string_view layout);
    template <class Control>
    Control& Find(const std::string& name) {
        return *static_cast<Control*>(form->FindComponent(name));
    }

    // Runs the loop until condition holds; fails the test, naming what, and returns false when it does not
    // in time.
    static bool WaitUntil(const std::function<bool()>& condition, const std::string& what);
    // What a timer on the wall clock's marks does when news tells it that the clock was set or the system
    // resumed: its ticks, counted until the loop has run on for a few plain ticks after the first (one, at
    // once, is right). Its step alone would not tick: its next mark is two minutes away, the end of its
    // interval. Nothing when news could not be told (false), or before 00:18, when no interval is so.
    static std::optional<int> WallClockTimerTicksAfter(const std::function<bool()>& news);

    ComponentPtr<TApplication> application;
    TTestForm* form = nullptr;

  private:
    // The back end's part of showing a form: what it asks of the form, and how it sees the window shown.
    virtual void Present(TTestForm& shown) { shown.Show(); }
    virtual bool IsOnScreen(TControl& control) const = 0;
};
