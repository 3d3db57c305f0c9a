// Choosing a program to run: the open dialog lists what the user may execute, or all files, and appends
// no extension; real clicks and keystrokes.
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <filesystem>
#include <fstream>

#include "tests/platform/qt/desktop_user.h"
#include "tests/platform/qt/qt_test.h"
#include "tests/support/temporary_prefix.h"

namespace {

namespace fs = std::filesystem;

using QtProgramDialogTest = QtTest;

// The names the dialog's list shows, sorted.
QStringList Listed(QFileDialog& dialog) {
    auto* view = dialog.findChild<QListView*>("listView");
    QStringList names;
    for (int row = 0; view != nullptr && row < view->model()->rowCount(view->rootIndex()); ++row) {
        names.push_back(view->model()->index(row, 0, view->rootIndex()).data().toString());
    }
    names.sort();
    return names;
}

QPoint CentreOf(QWidget& widget) { return widget.mapToGlobal(widget.rect().center()); }

TEST_F(QtProgramDialogTest, ProgramsAreTheExecutableFilesAllFilesTheRestAndNoExtensionIsAppended) {
    // A folder of this run's own, which another run of the suite at the same time does not write to.
    const TemporaryDirectory programs;
    const fs::path& folder = programs.path();
    std::ofstream(folder / "runme") << "#!/bin/sh\n";
    fs::permissions(folder / "runme", fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
    std::ofstream(folder / "notes.txt") << "not a program";
    const widgetset::OpenFileRequest request{"Select an application to run:", "Executable File|*.exe", "exe",
                                             "", widgetset::FileKind::Program};

    QStringList filters;
    QString startFolder, suffix;
    QStringList programsListed, allListed;
    const auto dialog = [] { return VisibleWindow<QFileDialog>(); };
    const auto combo = [&] { return dialog()->findChild<QComboBox*>("fileTypeCombo"); };
    ScriptedUser user;
    user.When(
        "the open dialog", [] { return ActiveWindow<QFileDialog>() != nullptr; },
        [&] {
            filters = dialog()->nameFilters();
            startFolder = dialog()->directory().absolutePath();
            suffix = dialog()->defaultSuffix();
            // Not typed: the name field's completion would take the next click.
            dialog()->setDirectory(QString::fromStdString(folder.string()));
        });
    user.When(
        "the folder's programs",
        [&] {
            return dialog()->directory().absolutePath() == QString::fromStdString(folder.string()) &&
                   !Listed(*dialog()).isEmpty();
        },
        [&] {
            programsListed = Listed(*dialog());
            desktop_user::Click(CentreOf(*combo()));
        });
    user.When(
        "the list of filters", [&] { return combo()->view()->isVisible(); },
        [] {
            desktop_user::Key("Down");
            desktop_user::Key("Return");
        });
    user.When(
        "all files listed", [&] { return Listed(*dialog()).size() == 2; },
        [&] {
            allListed = Listed(*dialog());
            desktop_user::Click(CentreOf(*dialog()->findChild<QLineEdit*>("fileNameEdit")));
            desktop_user::Type((folder / "runme").string());
            desktop_user::Key("Return");
        });
    EXPECT_EQ(CurrentWidgetset().ExecuteOpenDialog(request), (folder / "runme").string());
    EXPECT_EQ(filters, (QStringList{"Programs (*)", "All files (*)"}));
    EXPECT_EQ(startFolder, "/usr/bin");
    EXPECT_EQ(suffix, "");
    EXPECT_EQ(programsListed, QStringList{"runme"});
    EXPECT_EQ(allListed, (QStringList{"notes.txt", "runme"}));
}

}  // namespace
