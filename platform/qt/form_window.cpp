#include "platform/qt/form_window.h"

#include <QCloseEvent>

namespace qtbackend {

FormWindow::FormWindow(QWidget* parent) : QWidget(parent, Qt::Window) {}

void FormWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (onUserClose) onUserClose();
}

}  // namespace qtbackend
