#include "platform/qt/file_columns.h"

#include <QFileSystemModel>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>
#include <algorithm>

namespace qtbackend {

namespace {

void FitColumns(QFileDialog& dialog, QTreeView& view) {
    QHeaderView& header = *view.header();
    // The item views' public sizeHintForColumn, which the tree view overrides as a protected one.
    const QAbstractItemView& items = view;
    // The name column keeps its width: names are as long as people make them.
    for (int column = 1; column < header.count(); ++column) {
        const int needed = std::max(items.sizeHintForColumn(column), header.sectionSizeHint(column));
        if (needed > header.sectionSize(column)) header.resizeSection(column, needed);
    }
    const int missing = header.length() - view.viewport()->width();
    if (missing <= 0) return;
    // Widened about its centre, and kept on the screen.
    const QRect screen = dialog.screen()->availableGeometry();
    const int frame = dialog.frameGeometry().width() - dialog.width();
    const int width = std::min(dialog.width() + missing, screen.width() - frame);
    const int left = std::clamp(dialog.x() - (width - dialog.width()) / 2, screen.left(),
                                screen.left() + screen.width() - width - frame);
    dialog.move(left, dialog.y());
    dialog.resize(width, dialog.height());
}

}  // namespace

void ShowColumnsWhole(QFileDialog& dialog) {
    auto* view = dialog.findChild<QTreeView*>("treeView");
    auto* files = dialog.findChild<QFileSystemModel*>("qt_filesystem_model");
    if (view == nullptr || files == nullptr) return;
    QObject::connect(files, &QFileSystemModel::directoryLoaded, view,
                     [&dialog, view] { FitColumns(dialog, *view); });
}

}  // namespace qtbackend
