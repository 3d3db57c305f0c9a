#include "platform/qt/control_peer.h"

#include <QEvent>
#include <functional>
#include <utility>

#include "framework/win_control.h"
#include "platform/posix/core/window_table.h"
#include "platform/qt/captions.h"
#include "platform/qt/fonts.h"

namespace qtbackend {

namespace {

// Runs its action the first time the widget it watches shows. A child of the widget, it goes with it.
class FirstShowWatch : public QObject {
  public:
    FirstShowWatch(QWidget* widget, std::function<void()> shown) : QObject(widget), shown_(std::move(shown)) {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject* widget, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            widget->removeEventFilter(this);
            deleteLater();
            shown_();
        }
        return false;
    }

  private:
    std::function<void()> shown_;
};

}  // namespace

ControlPeer::ControlPeer(TControl& control, QWidget* widget, bool everShown)
    : ScreenPeer(control, everShown), widget_(widget) {
    new FirstShowWatch(widget, [this] { ShowFirstFont(); });
}

ControlPeer::~ControlPeer() {
    if (handle_ != nullptr) DestroyWindow(handle_);
    // A parent's widget deleted first took this one with it.
    delete widget_.data();
}

HWND ControlPeer::Handle() {
    if (handle_ == nullptr) handle_ = posix::CreateWindowHandle(&ControlWindowProc);
    return handle_;
}

void ControlPeer::Changed(widgetset::Aspect aspect) {
    if (widget_ != nullptr) ScreenPeer::Changed(aspect);
}

void ControlPeer::ShowBounds() {
    widget_->setGeometry(Control().Left(), Control().Top(), Control().Width(), Control().Height());
}

void ControlPeer::ShowVisible() { widget_->setVisible(Shown()); }

void ControlPeer::ShowEnabled() { widget_->setEnabled(Control().Enabled()); }

void ControlPeer::ShowHint(const std::string& hint) { widget_->setToolTip(ToQString(hint)); }

void ControlPeer::ShowFont() {
    if (fontShown_) widget_->setFont(FontToShow());
}

QFont ControlPeer::FontToShow() const { return FontFor(Control().Font()); }

// As the widget first shows, before its window is on the screen; the size fitted to the text follows.
void ControlPeer::ShowFirstFont() {
    fontShown_ = true;
    ShowFont();
    ShowBounds();
}

ControlPeer& PeerOf(TControl& control) { return dynamic_cast<ControlPeer&>(control.Peer()); }

QWidget* ParentWidgetOf(const TControl& control) {
    return control.Parent() != nullptr ? PeerOf(*control.Parent()).Widget() : nullptr;
}

}  // namespace qtbackend
