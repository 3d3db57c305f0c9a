#include "platform/qt/dialogs.h"

#include <QFileDialog>

#include "platform/qt/captions.h"
#include "platform/qt/event_loop.h"
#include "platform/qt/file_filter.h"
#include "platform/qt/modal_wait.h"

namespace qtbackend {

std::optional<std::string> ExecuteOpenFileDialog(const widgetset::OpenFileRequest& request) {
    EnsureApplication();
    QFileDialog dialog;
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!request.title.empty()) dialog.setWindowTitle(ToQString(request.title));
    const QStringList filters = NameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.front());
    }
    dialog.setDefaultSuffix(ToQString(request.defaultExt));
    if (!request.initialFile.empty()) dialog.selectFile(ToQString(request.initialFile));
    if (ShowAndWait(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ToStdString(dialog.selectedFiles().front());
}

}  // namespace qtbackend
