#include "platform/qt/modal_wait.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "framework/application.h"
#include "framework/win_control.h"
#include "platform/qt/control_peer.h"
#include "platform/qt/event_loop.h"
#include "platform/qt/form_window.h"

namespace qtbackend {

namespace {

// The dialogs being waited for, outermost first: an outer wait leaves an inner dialog enabled.
std::vector<const QDialog*>& WaitedFor() {
    static std::vector<const QDialog*> dialogs;
    return dialogs;
}

// A dialog being waited for, or a window that it keeps above itself (Qt's file dialog warns of a missing
// file in a box of its own): the user answers the dialog there.
bool BelongsToWaitedDialog(const QWidget& widget) {
    for (const QDialog* dialog : WaitedFor()) {
        if (dialog == &widget) return true;
        for (const QWindow* window = widget.windowHandle(); window != nullptr;
             window = window->transientParent()) {
            if (window == dialog->windowHandle()) return true;
        }
    }
    return false;
}

// The program's own windows: its forms and its dialogs. Pop-up menus and the tray icon's window are not
// among them and keep working.
bool IsProgramWindow(const QWidget& widget) {
    if (!widget.isWindow() || BelongsToWaitedDialog(widget)) return false;
    return dynamic_cast<const FormWindow*>(&widget) != nullptr ||
           qobject_cast<const QDialog*>(&widget) != nullptr;
}

void StayAbove(QDialog& dialog, QWidget* window) {
    if (window == nullptr || dialog.parentWidget() != nullptr) return;
    dialog.winId();  // the native window, to carry the transient parent before it is mapped
    if (dialog.windowHandle()->transientParent() != nullptr) return;
    dialog.windowHandle()->setTransientParent(window->windowHandle());
    // The window manager reads the transient parent when the window is mapped.
    if (dialog.isVisible()) {
        dialog.hide();
        dialog.show();
        dialog.activateWindow();
    }
}

// For the time of a wait: the program's visible windows disabled, and those shown meanwhile too (a tray
// double click shows the settings window under an open box), but for the waited dialogs' own; the dialog
// kept above the main form. Undone when the wait ends in any way, an exception included.
class OtherWindowsDisabled : public QObject {
  public:
    OtherWindowsDisabled(QDialog& dialog, HWND owner) : dialog_(dialog), owner_(owner) {
        WaitedFor().push_back(&dialog);
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && IsProgramWindow(*window)) Disable(*window);
        }
        qApp->installEventFilter(this);
    }
    ~OtherWindowsDisabled() override {
        qApp->removeEventFilter(this);
        for (const QPointer<QWidget>& window : disabled_) {
            if (window != nullptr) window->setEnabled(true);
        }
        WaitedFor().pop_back();
    }
    OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
    OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto& widget = static_cast<QWidget&>(*watched);
            if (IsProgramWindow(widget)) {
                Disable(widget);
                StayAbove(dialog_, WindowToStayAbove(owner_));
            }
        }
        return false;
    }

  private:
    void Disable(QWidget& window) {
        if (!window.isEnabled()) return;  // an outer wait's, or the program's own
        window.setEnabled(false);
        disabled_.emplace_back(&window);
    }

    QDialog& dialog_;
    HWND owner_;
    std::vector<QPointer<QWidget>> disabled_;
};

QWidget* VisibleWindowOfControl(TWinControl* control) {
    if (control == nullptr || !control->HasPeer()) return nullptr;
    QWidget* widget = PeerOf(*control).Widget();
    return widget != nullptr && widget->window()->isVisible() ? widget->window() : nullptr;
}

}  // namespace

QWidget* VisibleWindowOf(HWND handle) {
    return VisibleWindowOfControl(handle != nullptr ? TWinControl::FindControl(handle) : nullptr);
}

QWidget* WindowToStayAbove(HWND owner) {
    if (QWidget* window = VisibleWindowOf(owner)) return window;
    return VisibleWindowOfControl(Application != nullptr ? Application->MainForm() : nullptr);
}

int ShowAndWait(QDialog& dialog, HWND owner) {
    if (ApplicationEnding()) return QDialog::Rejected;
    bool finished = false;
    const auto connection = QObject::connect(&dialog, &QDialog::finished, [&finished] { finished = true; });
    {
        const OtherWindowsDisabled disabled(dialog, owner);
        StayAbove(dialog, WindowToStayAbove(owner));
        // Modal by the disabling above, not by Qt's modality, which would block the tray too.
        dialog.setWindowModality(Qt::NonModal);
        dialog.show();
        dialog.raise();
        dialog.activateWindow();
        RunUntil([&finished] { return finished || ApplicationEnding(); });
        if (!finished) dialog.reject();
    }
    QObject::disconnect(connection);
    return dialog.result();
}

}  // namespace qtbackend
