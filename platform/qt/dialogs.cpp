#include "platform/qt/dialogs.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>
#include <map>
#include <vector>

#include "framework/rules/file_filter.h"
#include "framework/rules/menu_entries.h"
#include "framework/rules/start_folder.h"
#include "platform/qt/captions.h"
#include "platform/qt/event_loop.h"
#include "platform/qt/file_columns.h"
#include "platform/qt/modal_wait.h"
#include "platform/qt/program_files.h"

namespace qtbackend {

namespace {

// The desktop's places for each kind of file, in the order a dialog looks in them.
std::vector<std::string> PlacesFor(widgetset::FileKind kind) {
    const std::string home = ToStdString(QDir::homePath());
    switch (kind) {
        case widgetset::FileKind::Program:
            return {kProgramsFolder, home};
        case widgetset::FileKind::Media:
            return {ToStdString(QStandardPaths::writableLocation(QStandardPaths::MusicLocation)), home};
        case widgetset::FileKind::Any:
            break;
    }
    return {home};
}

}  // namespace

std::optional<std::string> ExecuteOpenFileDialog(const widgetset::OpenFileRequest& request) {
    EnsureApplication();
    QFileDialog dialog;
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!request.title.empty()) dialog.setWindowTitle(ToQString(request.title));
    if (request.kind == widgetset::FileKind::Program) {
        OfferPrograms(dialog);
    } else {
        const QStringList filters = NameFilters(request.filter);
        if (!filters.isEmpty()) {
            dialog.setNameFilters(filters);
            dialog.selectNameFilter(filters.front());
        }
        dialog.setDefaultSuffix(ToQString(request.defaultExt));
    }
    const std::string start = StartFolder(request.initialFile, PlacesFor(request.kind));
    if (!start.empty()) dialog.setDirectory(ToQString(start));
    // Offered again only while it is there: Enter would otherwise be answered with "File not found".
    if (QFileInfo(ToQString(request.initialFile)).isFile()) dialog.selectFile(ToQString(request.initialFile));
    ShowColumnsWhole(dialog);
    if (ShowAndWait(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ToStdString(dialog.selectedFiles().front());
}

QStringList NameFilters(const std::string& filter) {
    QStringList filters;
    for (const FileFilter& pair : SplitFilter(filter)) {
        QStringList patterns;
        for (const std::string& pattern : pair.patterns) patterns.push_back(ToQString(pattern));
        filters.push_back(ToQString(pair.description) + " (" + patterns.join(' ') + ")");
    }
    return filters;
}

TMenuItem* ShowPopupMenu(TPopupMenu& menu, int x, int y) {
    EnsureApplication();
    QMenu popup;
    std::map<QAction*, TMenuItem*> items;
    const std::vector<MenuEntry> entries = MenuEntries(menu);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        TMenuItem* item = menu.Items(static_cast<int>(i));
        if (entries[i] == MenuEntry::Separator) popup.addSeparator();
        if (entries[i] == MenuEntry::Item) items[popup.addAction(ToQString(item->Caption()))] = item;
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
