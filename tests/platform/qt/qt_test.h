// The fixture of the Qt back-end tests: an application object, forms loaded from form-file text, a loop
// run until something holds, and a scripted user who acts while a modal dialog waits.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/form.h"
#include "framework/menu_item.h"
#include "platform/qt/control_peer.h"

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

class QtTest : public ::testing::Test {
  protected:
    QtTest();
    ~QtTest() override;

    // A form owned by the application, loaded from text, shown.
    TTestForm& ShowForm(std::string_view layout);
    template <class Control>
    Control& Find(const std::string& name) {
        return *static_cast<Control*>(form->FindComponent(name));
    }
    static QWidget& WidgetOf(TControl& control) { return *qtbackend::PeerOf(control).Widget(); }
    // The centre of a control's widget on the screen.
    static QPoint ScreenCentre(TControl& control);

    // Runs the loop until condition holds; fails the test (and returns false) after a generous deadline.
    bool WaitUntil(const std::function<bool()>& condition, const std::string& what);

    ComponentPtr<TApplication> application;
    TTestForm* form = nullptr;
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
