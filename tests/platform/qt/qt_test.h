// The fixture of the Qt back-end tests: the desktop tests' fixture that sees the controls' widgets, and a
// scripted user who acts while a modal dialog waits.
#pragma once

#include <QApplication>
#include <QWidget>
#include <deque>
#include <functional>
#include <string>

#include "framework/menu_item.h"
#include "platform/qt/control_peer.h"
#include "tests/support/desktop_test.h"

class QtTest : public DesktopTest {
  protected:
    QtTest() : DesktopTest("Qt test") {}

    static QWidget& WidgetOf(TControl& control) { return *qtbackend::PeerOf(control).Widget(); }
    // The centre of a control's widget on the screen.
    static QPoint ScreenCentre(TControl& control);

  private:
    bool IsOnScreen(TControl& control) const override { return WidgetOf(control).isVisible(); }
};

// Acts for the user while the test sits in a modal wait: each step's action (xdotool input, usually) runs
// on the interface thread once its condition holds. A step that never comes due ends the test program,
// since a modal wait cannot be left otherwise.
class ScriptedUser {
  public:
    ScriptedUser();
    ~ScriptedUser();

    void When(std::string what, std::function<bool()> condition, std::function<void()> action);
    bool Finished() const { return steps_.empty(); }

  private:
    struct Step {
        std::string what;
        std::function<bool()> condition;
        std::function<void()> action;
    };
    void Poll();

    std::deque<Step> steps_;
    unsigned long timer_ = 0;
    int waitedPolls_ = 0;
};

// The visible top-level widget of type W, or null. The keyboard reaches it once it is the active window.
template <class W>
W* VisibleWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<W*>(widget); window != nullptr && window->isVisible()) return window;
    }
    return nullptr;
}

template <class W>
W* ActiveWindow() {
    W* window = VisibleWindow<W>();
    return window != nullptr && window->isActiveWindow() ? window : nullptr;
}
