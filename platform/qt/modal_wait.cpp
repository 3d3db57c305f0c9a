#include "platform/qt/modal_wait.h"

#include "platform/qt/event_loop.h"

namespace qtbackend {

int ShowAndWait(QDialog& dialog) {
    bool finished = false;
    const auto connection = QObject::connect(&dialog, &QDialog::finished, [&finished] { finished = true; });
    dialog.setWindowModality(Qt::WindowModal);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    RunUntil([&finished] { return finished; });
    QObject::disconnect(connection);
    return dialog.result();
}

}  // namespace qtbackend
