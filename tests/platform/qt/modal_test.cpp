// Message boxes as modal as on Windows, tried with real input: the program's windows take nothing while a
// box is open, the tray goes on working, a Yes/No box insists on an answer, and the box is shown as the
// user typed it, above the main form, with the program's icon. And the waits that keep the interface
// alive without a box.
#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <regex>

#include "framework/captioned.h"
#include "framework/widgetset/interface_wait.h"
#include "framework/widgetset/widgetset.h"
#include "platform/qt/icon_cache.h"
#include "tests/platform/qt/desktop_user.h"
#include "tests/platform/qt/qt_test.h"

namespace {

// A main form as large as the screen, its button at the top left, outside a box centred on it.
constexpr std::string_view kLayout = R"(object Form1: TTestForm
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Settings'
  ClientHeight = 700
  ClientWidth = 1000
  Left = 0
  Top = 0
  object Button1: TButton
    Left = 8
    Top = 8
    Width = 81
    Height = 25
    Caption = '&Done'
    OnClick = Clicked
  end
end
)";

class QtModalTest : public QtTest {
  protected:
    QPoint ButtonCentre() { return ScreenCentre(Find<TButton>("Button1")); }
    // A box's place is the box's, not the button's: a click there would be the box's anyway.
    static bool Outside(const QPoint& point) {
        return !VisibleWindow<QMessageBox>()->frameGeometry().contains(point);
    }
};

// The X window that a window names as the one it stays above (WM_TRANSIENT_FOR), or 0.
unsigned long TransientFor(const QWidget& window) {
    const std::string text =
        desktop_user::Run("xprop -id " + std::to_string(window.winId()) + " WM_TRANSIENT_FOR");
    std::smatch match;
    const std::regex id(R"(# (0x[0-9a-f]+))");
    return std::regex_search(text, match, id) ? std::stoul(match[1], nullptr, 16) : 0;
}

}  // namespace

TEST_F(QtModalTest, UnderAnOpenBoxTheWindowTakesNeitherClickNorCloseAndIsBackAfter) {
    ShowForm(kLayout);
    const QPoint button = ButtonCentre();
    ScriptedUser user;
    user.When(
        "the box", [] { return ActiveWindow<QMessageBox>() != nullptr; },
        [&] {
            ASSERT_TRUE(Outside(button));
            desktop_user::Click(button);
            WidgetOf(*form).close();  // what Qt does with the window manager's close request
            desktop_user::Key("Return");
        });
    EXPECT_EQ(MessageBoxA(application->Handle(), "Alarm!", "Test", MB_OK), IDOK);
    EXPECT_EQ(form->clicks["Button1"], 0);
    EXPECT_FALSE(application->Terminated());
    desktop_user::Click(button);
    EXPECT_TRUE(WaitUntil([&] { return form->clicks["Button1"] == 1; }, "the click after the box"));
}

// Counts the paint events of the widget it watches.
class PaintCount : public QObject {
  public:
    int count = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

// A wait that keeps the interface alive (another program's registry lock, a media file's pre-roll) is no
// modal one: nothing is disabled, the window repaints and the animations tick, while the program's timers,
// its posted messages and the user's click wait for the end of it.
TEST_F(QtModalTest, AWaitKeepingTheInterfaceAliveRepaintsAndAnimatesAndHoldsTheRestTillItsEnd) {
    ShowForm(kLayout);
    QWidget& button = WidgetOf(Find<TButton>("Button1"));
    PaintCount painted;
    button.installEventFilter(&painted);
    int plainTicks = 0;
    int flashes = 0;
    int paintsAsked = 0;
    const auto plain = CurrentWidgetset().StartTimer(10, [&] { ++plainTicks; });
    const auto flashing = CurrentWidgetset().StartAnimationTimer(100, [&] {
        if (++flashes > 1) return;
        paintsAsked = painted.count;
        button.update();
        PostMessageA(form->Handle(), WM_USER, 0, 0);
        desktop_user::Click(ButtonCentre());
    });
    ASSERT_TRUE(WaitUntil([&] { return plainTicks > 0; }, "the plain timer"));
    const int ticksBefore = plainTicks;
    EXPECT_TRUE(widgetset::WaitKeepingInterfaceAlive(std::chrono::seconds(20), [&] { return flashes == 4; }));
    CurrentWidgetset().StopTimer(flashing);
    EXPECT_EQ(plainTicks, ticksBefore);
    EXPECT_GT(painted.count, paintsAsked);
    EXPECT_TRUE(button.isEnabled());
    const auto posted = [&] {
        return std::count_if(form->messages.begin(), form->messages.end(),
                             [](const TMessage& message) { return message.Msg == WM_USER; });
    };
    EXPECT_EQ(posted(), 0);
    EXPECT_EQ(form->clicks["Button1"], 0);
    EXPECT_TRUE(
        WaitUntil([&] { return plainTicks > ticksBefore && posted() == 1 && form->clicks["Button1"] == 1; },
                  "the tick, the message and the click after the wait"));
    CurrentWidgetset().StopTimer(plain);
    button.removeEventFilter(&painted);
}

TEST_F(QtModalTest, AWindowShownUnderAnOpenBoxTakesNoClickAndTheBoxStaysAboveIt) {
    ShowForm(kLayout);
    form->Hide();
    unsigned long above = 0;
    ScriptedUser user;
    user.When(
        "the box", [] { return ActiveWindow<QMessageBox>() != nullptr; }, [&] { form->Show(); });
    user.When(
        "the window shown under it", [&] { return WidgetOf(*form).isVisible(); },
        [&] {
            above = TransientFor(*VisibleWindow<QMessageBox>());
            desktop_user::Click(ButtonCentre());
        });
    user.When(
        "the box shown again", [] { return VisibleWindow<QMessageBox>() != nullptr; },
        [] {
            QAbstractButton* ok = VisibleWindow<QMessageBox>()->button(QMessageBox::Ok);
            desktop_user::Click(ok->mapToGlobal(ok->rect().center()));
        });
    EXPECT_EQ(MessageBoxA(application->Handle(), "Alarm!", "Test", MB_OK), IDOK);
    EXPECT_EQ(form->clicks["Button1"], 0);
    EXPECT_EQ(above, WidgetOf(*form).winId());
}

TEST_F(QtModalTest, TheProgramsEndClosesAnOpenBoxUnansweredAndNoLaterBoxShows) {
    ShowForm(kLayout);
    ScriptedUser user;
    user.When(
        "the question", [] { return ActiveWindow<QMessageBox>() != nullptr; }, [&] { form->Close(); });
    EXPECT_EQ(MessageBoxA(application->Handle(), "Sure?", "Test", MB_YESNO), IDNO);
    EXPECT_EQ(VisibleWindow<QMessageBox>(), nullptr);
    EXPECT_TRUE(WidgetOf(*form).isEnabled());
    EXPECT_EQ(MessageBoxA(application->Handle(), "Too late", "Test", MB_OK), IDOK);
    EXPECT_EQ(VisibleWindow<QMessageBox>(), nullptr);
}

// The program closes its boxes from a depth on unanswered (a snoozed alarm's message): the inner box
// returns what the program's end would give it, and the outer one stays for the user's answer. Two users,
// since the one whose step opens the inner box waits in it.
TEST_F(QtModalTest, TheProgramClosesItsInnerBoxUnansweredAndTheOuterOneStays) {
    ScriptedUser opener;
    ScriptedUser user;
    int inner = 0;
    opener.When(
        "the question", [] { return ActiveWindow<QMessageBox>() != nullptr; },
        [&] { inner = MessageBoxA(application->Handle(), "Inner?", "Test", MB_YESNO); });
    user.When(
        "the inner question", [] { return CurrentWidgetset().OpenMessageBoxes() == 2; },
        [] { CurrentWidgetset().EndMessageBoxes(2); });
    user.When(
        "the outer question alone",
        [] { return CurrentWidgetset().OpenMessageBoxes() == 1 && ActiveWindow<QMessageBox>() != nullptr; },
        [] { desktop_user::Key("y"); });
    EXPECT_EQ(MessageBoxA(application->Handle(), "Outer?", "Test", MB_YESNO), IDYES);
    EXPECT_EQ(inner, IDNO);
    EXPECT_EQ(CurrentWidgetset().OpenMessageBoxes(), 0u);
    EXPECT_EQ(VisibleWindow<QMessageBox>(), nullptr);
}

TEST_F(QtModalTest, AYesNoBoxRefusesEscapeAndCloseAndTakesOnlyAnAnswer) {
    ScriptedUser user;
    user.When(
        "the question", [] { return ActiveWindow<QMessageBox>() != nullptr; },
        [] { desktop_user::Key("Escape Tab"); });  // the Tab shows when the Escape was handled
    user.When(
        "the focus on No", [] { return VisibleWindow<QMessageBox>()->button(QMessageBox::No)->hasFocus(); },
        [] {
            VisibleWindow<QMessageBox>()->close();
            desktop_user::Key("y");
        });
    EXPECT_EQ(MessageBoxA(application->Handle(), "Sure?", "Test", MB_YESNO), IDYES);
}

TEST_F(QtModalTest, ABoxShowsPlainTextTheProgramsIconAndItsWholeCaption) {
    ShowForm(kLayout);
    const QString caption = "Zelvo's Alarm - Option verification, a caption longer than the text";
    QString shown;
    QIcon icon;
    int width = 0;
    ScriptedUser user;
    user.When(
        "the box", [] { return ActiveWindow<QMessageBox>() != nullptr; },
        [&] {
            QMessageBox* box = VisibleWindow<QMessageBox>();
            shown = box->findChild<QLabel*>("qt_msgbox_label")->text();
            EXPECT_EQ(box->findChild<QLabel*>("qt_msgbox_label")->textFormat(), Qt::PlainText);
            icon = box->windowIcon();
            width = box->width();
            desktop_user::Key("Return");
        });
    MessageBoxA(application->Handle(), "<b>x</b>", caption.toUtf8().constData(), MB_OK);
    EXPECT_EQ(shown, "<b>x</b>");
    EXPECT_EQ(icon.cacheKey(), qtbackend::IconNamed("MAINICON").cacheKey());
    // A title bar shows the caption in bold beside an icon and its buttons: at least 100 pixels more.
    QFont bold = QApplication::font();
    bold.setBold(true);
    EXPECT_GT(width, QFontMetrics(bold).horizontalAdvance(caption) + 100);
}
