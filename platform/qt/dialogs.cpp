#include "platform/qt/dialogs.h"

#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <map>

#include "framework/win_control.h"
#include "platform/qt/captions.h"
#include "platform/qt/control_peer.h"
#include "platform/qt/event_loop.h"
#include "platform/qt/program_files.h"

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

QWidget* VisibleWindowOf(HWND handle) {
    TWinControl* control = handle != nullptr ? TWinControl::FindControl(handle) : nullptr;
    if (control == nullptr || !control->HasPeer()) return nullptr;
    QWidget* widget = PeerOf(*control).Widget();
    return widget != nullptr && widget->window()->isVisible() ? widget->window() : nullptr;
}

std::optional<std::string> ExecuteOpenFileDialog(const widgetset::OpenFileRequest& request) {
    EnsureApplication();
    QFileDialog dialog;
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!request.title.empty()) dialog.setWindowTitle(ToQString(request.title));
    if (request.forProgram) {
        OfferPrograms(dialog);
    } else {
        const QStringList filters = NameFilters(request.filter);
        if (!filters.isEmpty()) {
            dialog.setNameFilters(filters);
            dialog.selectNameFilter(filters.front());
        }
        dialog.setDefaultSuffix(ToQString(request.defaultExt));
    }
    if (!request.initialFile.empty()) dialog.selectFile(ToQString(request.initialFile));
    if (ShowAndWait(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ToStdString(dialog.selectedFiles().front());
}

QStringList NameFilters(const std::string& filter) {
    const QStringList parts = ToQString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        filters.push_back(parts[i].trimmed() + " (" + patterns.join(' ').trimmed() + ")");
    }
    return filters;
}

TMenuItem* ShowPopupMenu(TPopupMenu& menu, int x, int y) {
    EnsureApplication();
    QMenu popup;
    std::map<QAction*, TMenuItem*> items;
    for (int i = 0; i < menu.Count(); ++i) {
        TMenuItem* item = menu.Items(i);
        if (item->Visible()) items[popup.addAction(ToQString(item->Caption()))] = item;
    }
    TMenuItem* chosen = nullptr;
    bool closed = false;
    // A chosen action is triggered in the same event as the menu hides, before the loop looks again.
    QObject::connect(&popup, &QMenu::triggered, [&](QAction* action) { chosen = items[action]; });
    QObject::connect(&popup, &QMenu::aboutToHide, [&closed] { closed = true; });
    popup.popup(QPoint(x, y));
    RunUntil([&closed] { return closed; });
    return chosen;
}

}  // namespace qtbackend

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    qtbackend::EnsureApplication();
    QString body = QString::fromUtf8(text != nullptr ? text : "");
    // Windows breaks lines at "\r\n" and at a lone "\r" alike.
    body.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace('\r', '\n');
    const bool yesNo = (type & MB_YESNO) != 0;
    QMessageBox box((type & MB_ICONERROR) != 0 ? QMessageBox::Critical : QMessageBox::NoIcon,
                    QString::fromUtf8(caption != nullptr ? caption : "Error"), body,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    qtbackend::VisibleWindowOf(owner));
    qtbackend::ShowAndWait(box);
    const QAbstractButton* clicked = box.clickedButton();
    if (!yesNo) return IDOK;
    return clicked == box.button(QMessageBox::Yes) ? IDYES : IDNO;
}
