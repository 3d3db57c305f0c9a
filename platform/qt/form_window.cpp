#include "platform/qt/form_window.h"

#include <QCloseEvent>
#include <QPointer>

#include "platform/qt/accessible_roles.h"
#include "platform/qt/interface_wait.h"

namespace qtbackend {

FormWindow::FormWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    SetAccessibleRole(*this, QAccessible::Window);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    RunOrHold([window = QPointer<FormWindow>(this)] {
        // A window disabled under a modal box takes no close either.
        if (window != nullptr && window->onUserClose && window->isEnabled()) window->onUserClose();
    });
}

void FormWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && onWindowStateChange) onWindowStateChange();
}

}  // namespace qtbackend
