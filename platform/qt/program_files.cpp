#include "platform/qt/program_files.h"

#include <QFileSystemModel>
#include <QSortFilterProxyModel>

namespace qtbackend {

namespace {

const QString kProgramsFilter = QStringLiteral("Programs (*)");
const QString kAllFilesFilter = QStringLiteral("All files (*)");

// Folders, and while it is active only the files the user may execute.
class ExecutableFilesOnly : public QSortFilterProxyModel {
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void SetActive(bool active) {
        active_ = active;
        invalidateFilter();
    }

    // In the file system model's own order (folders first, names as people read them), not the proxy's.
    void sort(int column, Qt::SortOrder order) override { sourceModel()->sort(column, order); }

  protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        if (!active_) return true;
        const auto* files = static_cast<const QFileSystemModel*>(sourceModel());
        const QModelIndex index = files->index(row, 0, parent);
        return files->isDir(index) || files->fileInfo(index).isExecutable();
    }

  private:
    bool active_ = true;
};

}  // namespace

void OfferPrograms(QFileDialog& dialog) {
    // Both filters match every name; which files show is the proxy's choice.
    dialog.setNameFilters({kProgramsFilter, kAllFilesFilter});
    dialog.selectNameFilter(kProgramsFilter);
    auto* programs = new ExecutableFilesOnly(&dialog);
    dialog.setProxyModel(programs);
    QObject::connect(&dialog, &QFileDialog::filterSelected,
                     [programs](const QString& filter) { programs->SetActive(filter == kProgramsFilter); });
    dialog.setDefaultSuffix(QString());
}

}  // namespace qtbackend
