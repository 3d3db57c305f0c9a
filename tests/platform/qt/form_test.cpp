// A form's window: size, decoration, place, icon, and closing by the title bar left to the framework.
#include <QGuiApplication>
#include <QScreen>

#include "tests/platform/qt/qt_test.h"

namespace {

constexpr std::string_view kLayout = R"(object Form1: TTestForm
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Fixed && centred'
  ClientHeight = 214
  ClientWidth = 376
  Icon = 'MAINICON'
  Position = poScreenCenter
end
)";

using QtFormTest = QtTest;

TEST_F(QtFormTest, ASingleBorderFormIsAFixedCentredWindowWithoutMaximize) {
    ShowForm(kLayout);
    QWidget& window = WidgetOf(*form);
    EXPECT_TRUE(window.isWindow());
    EXPECT_EQ(window.size(), QSize(376, 214));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((window.geometry().center() - screenCentre).manhattanLength(), 2);
    EXPECT_EQ(window.windowTitle(), "Fixed && centred");
    EXPECT_FALSE(window.windowIcon().isNull());
}

TEST_F(QtFormTest, ClosingByTheTitleBarGoesThroughTheFrameworkAndEndsTheApplication) {
    ShowForm(kLayout);
    QWidget& window = WidgetOf(*form);
    // What Qt does with the window manager's close request.
    window.close();
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(application->Terminated());
    // Hidden, not destroyed: the framework may show it again.
    form->Show();
    EXPECT_TRUE(window.isVisible());
}

TEST_F(QtFormTest, TheApplicationRunsUntilItsMainFormClosesNotUntilItsLastWindowDoes) {
    ShowForm(kLayout);
    int ticks = 0;
    const auto timer = CurrentWidgetset().StartTimer(10, [&] {
        // The last window goes first; the loop must go on until the main form closes.
        if (++ticks == 1) form->Hide();
        if (ticks == 3) form->Close();
    });
    application->Run();
    CurrentWidgetset().StopTimer(timer);
    EXPECT_EQ(ticks, 3);
}

}  // namespace
