#include "platform/qt/form_window.h"

#include <QCloseEvent>

namespace qtbackend {

FormWindow::FormWindow(QWidget* parent) : QWidget(parent, Qt::Window) {}

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
