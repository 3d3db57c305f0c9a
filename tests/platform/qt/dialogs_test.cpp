// Message boxes, the open dialog and its filters, answered by real keystrokes.
#include <QAbstractButton>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTreeView>
#include <filesystem>
#include <fstream>

#include "platform/qt/dialogs.h"
#include "tests/platform/qt/desktop_user.h"
#include "tests/platform/qt/qt_test.h"
#include "tests/support/temporary_prefix.h"

namespace {

using QtDialogsTest = QtTest;

TEST(QtNameFiltersTest, PairsBecomeQtFiltersWithSpaceSeparatedPatterns) {
    EXPECT_EQ(qtbackend::NameFilters("Sound Files|*.wav|Media|*.mid;*.avi"),
              (QStringList{"Sound Files (*.wav)", "Media (*.mid *.avi)"}));
}

TEST_F(QtDialogsTest, MessageBoxesShowTextCaptionIconAndButtonsAndReturnTheAnswer) {
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    std::size_t buttons = 0;
    for (const auto& [type, keys, expected] :
         {std::tuple{MB_YESNO, "n", IDNO}, std::tuple{MB_YESNO, "y", IDYES},
          std::tuple{MB_OK | MB_ICONERROR, "Return", IDOK}}) {
        ScriptedUser user;
        user.When(
            "the message box", [] { return ActiveWindow<QMessageBox>() != nullptr; },
            [&, keys = std::string(keys)] {
                QMessageBox* box = VisibleWindow<QMessageBox>();
                text = box->text();
                title = box->windowTitle();
                icon = box->icon();
                buttons = box->buttons().size();
                desktop_user::Key(keys);
            });
        EXPECT_EQ(MessageBoxA(application->Handle(), "first\r\nsecond\rthird", "Caption", type), expected);
        EXPECT_EQ(text, "first\nsecond\nthird");
        EXPECT_EQ(title, "Caption");
        EXPECT_EQ(icon, (type & MB_ICONERROR) != 0 ? QMessageBox::Critical : QMessageBox::NoIcon);
        EXPECT_EQ(buttons, (type & MB_YESNO) != 0 ? 2u : 1u);
    }
}

// As much as fits the screen, with the box and its OK button on it; a name too long cut in its middle.
TEST_F(QtDialogsTest, AMessageBoxShowsTheBeginningOfATextLongerThanAScreenHoldsAndMarksTheCut) {
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"20,000 characters of words",
         [] {
             std::string words;
             while (words.size() < 20000) words += "wake up ";
             return words.substr(0, 20000);
         }()},
        {"one word of a megabyte", std::string(1 << 20, 'x')},
        {"a megabyte of short lines",
         [] {
             std::string lines;
             while (lines.size() < (1 << 20)) lines += "line " + std::to_string(lines.size()) + "\r\n";
             return lines;
         }()},
        // Characters of two UTF-16 units after an odd start: a cut by units would fall inside one.
        {"characters outside the basic plane", "x" +
                                                   [] {
                                                       std::string faces;
                                                       for (int i = 0; i < 100000; ++i) faces += "\U0001F600";
                                                       return faces;
                                                   }()},
    };
    // The box's text, its frame, its OK button and the screen's room, as a user saw them.
    struct Shown {
        QString text;
        QRect box, ok, screen;
    };
    const auto show = [this](const std::string& text) {
        Shown seen;
        ScriptedUser user;
        user.When(
            "the message box", [] { return ActiveWindow<QMessageBox>() != nullptr; },
            [&] {
                const QMessageBox* shownBox = VisibleWindow<QMessageBox>();
                seen.text = shownBox->text();
                seen.box = shownBox->frameGeometry();
                const QWidget* button = shownBox->button(QMessageBox::Ok);
                seen.ok = QRect(button->mapToGlobal(QPoint()), button->size());
                seen.screen = shownBox->screen()->availableGeometry();
                desktop_user::Key("Return");
            });
        EXPECT_EQ(MessageBoxA(application->Handle(), text.c_str(), "Caption", MB_OK | MB_ICONERROR), IDOK);
        EXPECT_LE(seen.box.height(), seen.screen.height()) << "taller than the screen";
        EXPECT_TRUE(seen.screen.contains(seen.box)) << "off the screen";
        EXPECT_TRUE(seen.screen.contains(seen.ok)) << "OK off the screen";
        EXPECT_TRUE(seen.text.isValidUtf16()) << "half a character";
        return seen;
    };
    for (const auto& [what, text] : cases) {
        SCOPED_TRACE(what);
        const QString shown = show(text).text;
        const QString whole = QString::fromUtf8(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
        EXPECT_GT(shown.size(), 40);
        EXPECT_TRUE(whole.startsWith(shown.chopped(1))) << "not the text's beginning";
        EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << "the cut is not marked";
    }
    // A name too wide for the screen is cut in its middle, and the reason after it shows whole.
    const QString named = show("Cannot run " + std::string(100000, 'p') + ": No such file or directory").text;
    EXPECT_TRUE(named.startsWith(QLatin1String("Cannot run pppp"))) << named.toStdString();
    EXPECT_TRUE(named.contains(QChar(0x2026))) << named.toStdString();
    EXPECT_TRUE(named.endsWith(QLatin1String("pppp: No such file or directory"))) << named.toStdString();
}

TEST_F(QtDialogsTest, TheOpenDialogFiltersWarnsOfAMissingFileAndReturnsTheTypedFileOrNothingOnCancel) {
    // A folder of this run's own: another run of the suite at the same time removes its own file.
    const TemporaryDirectory folder;
    const std::filesystem::path file = folder.path() / "chosen.wav";
    std::ofstream(file) << "RIFF";
    const std::filesystem::path missing = file.parent_path() / "missing.wav";
    const widgetset::OpenFileRequest request{"Pick a sound", "Sound Files|*.wav|All Files|*.*", "wav", ""};

    QStringList filters;
    QString selectedFilter, title, warning;
    {
        ScriptedUser user;
        user.When(
            "the open dialog", [] { return ActiveWindow<QFileDialog>() != nullptr; },
            [&] {
                QFileDialog* dialog = VisibleWindow<QFileDialog>();
                filters = dialog->nameFilters();
                selectedFilter = dialog->selectedNameFilter();
                title = dialog->windowTitle();
                desktop_user::Type(missing.string());
                desktop_user::Key("Return");
            });
        // The dialog's own box answers for the dialog: the wait leaves it enabled.
        user.When(
            "the dialog's warning", [] { return ActiveWindow<QMessageBox>() != nullptr; },
            [&] {
                warning = VisibleWindow<QMessageBox>()->text();
                desktop_user::Key("Return");
            });
        // No window manager gives the dialog the focus back: the user clicks its name field.
        const auto nameField = [] {
            return VisibleWindow<QFileDialog>()->findChild<QLineEdit*>("fileNameEdit");
        };
        user.When(
            "the warning answered", [] { return VisibleWindow<QMessageBox>() == nullptr; },
            [&] { desktop_user::Click(nameField()->mapToGlobal(nameField()->rect().center())); });
        user.When(
            "the name field", [&] { return nameField()->hasFocus() && nameField()->isActiveWindow(); },
            [&] {
                desktop_user::Key("ctrl+a");
                desktop_user::Type(file.string());
                desktop_user::Key("Return");
            });
        EXPECT_EQ(CurrentWidgetset().ExecuteOpenDialog(request), file.string());
    }
    EXPECT_TRUE(warning.contains("missing.wav")) << warning.toStdString();
    EXPECT_EQ(filters, (QStringList{"Sound Files (*.wav)", "All Files (*.*)"}));
    EXPECT_EQ(selectedFilter, "Sound Files (*.wav)");
    EXPECT_EQ(title, "Pick a sound");

    ScriptedUser user;
    user.When(
        "the open dialog again", [] { return ActiveWindow<QFileDialog>() != nullptr; },
        [] { desktop_user::Key("Escape"); });
    EXPECT_EQ(CurrentWidgetset().ExecuteOpenDialog(request), std::nullopt);
}

// Whether the detail list holds rows and shows every column of them whole, all within sight.
bool ListsWholeColumns(QFileDialog& dialog, int rows) {
    // The public sizeHintForColumn of item views, which the tree view overrides as a protected one.
    const QAbstractItemView* view = dialog.findChild<QTreeView*>("treeView");
    if (view->model()->rowCount(view->rootIndex()) != rows) return false;
    const QHeaderView* header = static_cast<const QTreeView*>(view)->header();
    for (int column = 0; column < header->count(); ++column) {
        if (view->sizeHintForColumn(column) > header->sectionSize(column)) return false;
    }
    return header->length() <= view->viewport()->width();
}

// It starts where the user last looked for a sound, and shows the size, type and date of what it lists.
TEST_F(QtDialogsTest, TheMediaDialogStartsInTheFolderOfTheFileChosenBeforeElseInMusicElseAtHome) {
    namespace fs = std::filesystem;
    const TemporaryDirectory home;
    const ScopedEnvironment homeVariable("HOME", home.path().string());
    const ScopedEnvironment config("XDG_CONFIG_HOME", std::nullopt);  // the music folder is then ~/Music
    const fs::path sounds = home.path() / "sounds";
    const fs::path music = home.path() / "Music";
    fs::create_directories(sounds);
    fs::create_directories(music);
    std::ofstream(sounds / "bell.wav") << std::string(384512, 'x');  // 375.5 KiB, today

    // The folder the dialog starts in and the name it offers, once it lists what it holds (a row each);
    // the user cancels.
    const auto opened = [](const fs::path& chosen, int rows) {
        std::pair<std::string, std::string> seen;
        ScriptedUser user;
        user.When(
            "the media dialog listing its folder whole",
            [rows] {
                QFileDialog* dialog = ActiveWindow<QFileDialog>();
                return dialog != nullptr && ListsWholeColumns(*dialog, rows);
            },
            [&] {
                QFileDialog* dialog = VisibleWindow<QFileDialog>();
                seen = {dialog->directory().absolutePath().toStdString(),
                        dialog->findChild<QLineEdit*>("fileNameEdit")->text().toStdString()};
                desktop_user::Key("Escape");
            });
        CurrentWidgetset().ExecuteOpenDialog(
            {"", "Sound Files|*.wav", "wav", chosen.string(), widgetset::FileKind::Media});
        return seen;
    };
    EXPECT_EQ(opened(sounds / "bell.wav", 1), (std::pair{sounds.string(), std::string("bell.wav")}));
    EXPECT_EQ(opened(home.path() / "gone" / "bell.wav", 0), (std::pair{music.string(), std::string()}));
    fs::remove(music);
    EXPECT_EQ(opened("", 1), (std::pair{home.path().string(), std::string()}));  // the sounds folder
}

}  // namespace
