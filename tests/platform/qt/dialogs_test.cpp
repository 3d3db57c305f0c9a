// Message boxes, the open dialog and its filters, answered by real keystrokes.
#include <QFileDialog>
#include <QMessageBox>
#include <filesystem>
#include <fstream>

#include "platform/qt/dialogs.h"
#include "tests/platform/qt/desktop_user.h"
#include "tests/platform/qt/qt_test.h"

namespace {

using DialogsTest = QtTest;

TEST(FileFilterTest, PairsBecomeQtFiltersWithSpaceSeparatedPatterns) {
    EXPECT_EQ(qtbackend::NameFilters("Executable File|*.exe"), QStringList{"Executable File (*.exe)"});
    EXPECT_EQ(qtbackend::NameFilters("Sound Files|*.wav|Media|*.mid;*.avi|All Files|*.*"),
              (QStringList{"Sound Files (*.wav)", "Media (*.mid *.avi)", "All Files (*.*)"}));
    EXPECT_EQ(qtbackend::NameFilters(""), QStringList{});
    EXPECT_EQ(qtbackend::NameFilters("Dangling|*.a|Description only"), QStringList{"Dangling (*.a)"});
}

TEST_F(DialogsTest, MessageBoxesShowTextCaptionIconAndButtonsAndReturnTheAnswer) {
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

TEST_F(DialogsTest, TheOpenDialogFiltersAndReturnsTheTypedFileOrNothingOnCancel) {
    const std::filesystem::path file = std::filesystem::path(testing::TempDir()) / "chosen.wav";
    std::ofstream(file) << "RIFF";
    const widgetset::OpenFileRequest request{"Pick a sound", "Sound Files|*.wav|All Files|*.*", "wav", "",
                                             false};

    QStringList filters;
    QString selectedFilter, title;
    {
        ScriptedUser user;
        user.When(
            "the open dialog", [] { return ActiveWindow<QFileDialog>() != nullptr; },
            [&] {
                QFileDialog* dialog = VisibleWindow<QFileDialog>();
                filters = dialog->nameFilters();
                selectedFilter = dialog->selectedNameFilter();
                title = dialog->windowTitle();
                desktop_user::Type(file.string());
                desktop_user::Key("Return");
            });
        EXPECT_EQ(CurrentWidgetset().ExecuteOpenDialog(request), file.string());
    }
    EXPECT_EQ(filters, (QStringList{"Sound Files (*.wav)", "All Files (*.*)"}));
    EXPECT_EQ(selectedFilter, "Sound Files (*.wav)");
    EXPECT_EQ(title, "Pick a sound");

    ScriptedUser user;
    user.When(
        "the open dialog again", [] { return ActiveWindow<QFileDialog>() != nullptr; },
        [] { desktop_user::Key("Escape"); });
    EXPECT_EQ(CurrentWidgetset().ExecuteOpenDialog(request), std::nullopt);
    std::filesystem::remove(file);
}

}  // namespace
