#include "platform/qt/form_window.h"

#include <QCloseEvent>

#include "platform/qt/accessible_roles.h"

namespace qtbackend {

FormWindow::FormWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    SetAccessibleRole(*this, QAccessible::Window);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    // A window disabled under a modal box takes no close either.
    if (onUserClose && isEnabled()) onUserClose();
}

void FormWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && onWindowStateChange) onWindowStateChange();
}

}  // namespace qtbackend
