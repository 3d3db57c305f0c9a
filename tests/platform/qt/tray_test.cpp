// The notification area in a real tray host (trayer): the icon on screen, real clicks arriving as the
// shell's callback messages, the pop-up menu at the cursor, and the icon changing on screen.
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <algorithm>

#include "framework/popup_menu.h"
#include "framework/widgetset/widgetset.h"
#include "platform/qt/icon_cache.h"
#include "resources/embedded_icons.h"
#include "tests/platform/qt/desktop_user.h"
#include "tests/platform/qt/qt_test.h"

namespace {

constexpr UINT kCallback = WM_USER + 7;
constexpr UINT kId = 3;

int DifferingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) count += a.pixel(x, y) != b.pixel(x, y);
    }
    return count;
}

// Whether the image shows more than its background colour (taken from its corner).
bool ShowsSomething(const QImage& image) {
    QImage background(image.size(), image.format());
    background.fill(image.pixel(0, 0));
    return DifferingPixels(image, background) > 10;
}

class QtTrayIconsTest : public QtTest {
  protected:
    QtTrayIconsTest() {
        application->CreateForm(form);
        record.cbSize = sizeof record;
        record.hWnd = form->Handle();
        record.uID = kId;
        record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        record.uCallbackMessage = kCallback;
        record.hIcon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
        std::copy_n("Alarm tip", 10, record.szTip);
    }
    // Gone from the tray before the next test adds its icon, which trayer would otherwise move.
    ~QtTrayIconsTest() override {
        if (Shell_NotifyIconA(NIM_DELETE, &record)) {
            WaitUntil([] { return desktop_user::TrayIconArea().isEmpty(); }, "the icon to leave the tray");
        }
    }

    // Adds the icon and waits until trayer shows it, painted and in its final place (trayer embeds it,
    // then moves it, and the icon paints itself over trayer's background in more than one step); its place
    // on the screen. Settled means two looks in a row saw the same place and the same pixels.
    QRect AddIcon() {
        EXPECT_TRUE(Shell_NotifyIconA(NIM_ADD, &record));
        QRect area;
        QImage shot;
        WaitUntil(
            [&] {
                const QRect previousArea = area;
                const QImage previousShot = shot;
                area = desktop_user::TrayIconArea();
                if (area.isEmpty() || area != previousArea) return false;
                shot = desktop_user::Screenshot(area);
                return shot == previousShot && ShowsSomething(shot);
            },
            "the icon in the tray");
        return area;
    }
    // The mouse messages of the tray callbacks that arrived, in order.
    std::vector<LPARAM> Callbacks() const {
        std::vector<LPARAM> codes;
        for (const TMessage& message : form->messages) {
            if (message.Msg == kCallback && message.WParam == kId) codes.push_back(message.LParam);
        }
        return codes;
    }
    // A middle click, which the tray ignores, first: else a click soon after an earlier one on the icon
    // would arrive as a double click.
    static void ClickIcon(const QRect& icon, int button = 1) {
        desktop_user::Click(icon.center(), 2);
        desktop_user::Click(icon.center(), button);
    }
    bool Arrived(LPARAM code) const {
        const auto codes = Callbacks();
        return std::find(codes.begin(), codes.end(), code) != codes.end();
    }

    NOTIFYICONDATAA record{};
};

TEST_F(QtTrayIconsTest, TheIconShowsInTheTrayAndRealClicksArriveAsMouseMessages) {
    const QRect icon = AddIcon();
    ASSERT_FALSE(icon.isEmpty());
    ClickIcon(icon);
    ASSERT_TRUE(WaitUntil([&] { return Arrived(WM_LBUTTONDOWN); }, "the left click's callback"));
    EXPECT_EQ(Callbacks(), std::vector<LPARAM>{WM_LBUTTONDOWN});
    form->messages.clear();
    desktop_user::Click(icon.center(), 2);
    desktop_user::DoubleClick(icon.center());
    ASSERT_TRUE(WaitUntil([&] { return Arrived(WM_LBUTTONDBLCLK); }, "the double click's callback"));
    EXPECT_EQ(Callbacks(), (std::vector<LPARAM>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}));
}

TEST_F(QtTrayIconsTest, ClicksArriveWhileAMessageBoxWaits) {
    const QRect icon = AddIcon();
    ScriptedUser user;
    user.When(
        "the message box", [] { return ActiveWindow<QMessageBox>() != nullptr; }, [&] { ClickIcon(icon); });
    user.When(
        "the click's callback during the box", [&] { return Arrived(WM_LBUTTONDOWN); },
        [] { desktop_user::Key("Return"); });
    EXPECT_EQ(MessageBoxA(application->Handle(), "Alarm!", "Test", MB_OK), IDOK);
    EXPECT_TRUE(Arrived(WM_LBUTTONDOWN));
}

TEST_F(QtTrayIconsTest, ARightClickArrivesAndItsMenuAtTheCursorRunsTheChosenItem) {
    auto* menu = new TPopupMenu(form);
    std::vector<std::string> captions{"Show Settings", "Hidden", "Exit Program"};
    for (const std::string& caption : captions) {
        auto* item = new TMenuItem(form);
        item->SetName(caption == "Hidden" ? "hidden" : caption == "Exit Program" ? "exitprogram" : "show");
        item->SetCaption(caption);
        item->SetVisible(caption != "Hidden");
        item->SetOnClick(MakeNotifyEvent<&TTestForm::Clicked>(form));
        menu->Add(item);
    }
    QPoint cursor;
    QStringList shown;
    form->onMessage = [&](const TMessage& message) {
        if (message.Msg != kCallback || message.LParam != WM_RBUTTONDOWN) return;
        POINT at;
        GetCursorPos(&at);
        cursor = {at.x, at.y};
        menu->Popup(at.x, at.y);
    };
    const QRect icon = AddIcon();
    ScriptedUser user;
    user.When(
        "the menu", [] { return QApplication::activePopupWidget() != nullptr; },
        [&] {
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            for (QAction* action : popup->actions()) shown.push_back(action->text());
            // The second visible item: "Hidden" is left out.
            desktop_user::Key("Down Down Return");
        });
    ClickIcon(icon, 3);
    ASSERT_TRUE(WaitUntil([&] { return form->clicks["exitprogram"] == 1; }, "the chosen item's click"));
    EXPECT_EQ(shown, (QStringList{"Show Settings", "Exit Program"}));
    EXPECT_EQ(cursor, desktop_user::Pointer());
    EXPECT_EQ(form->clicks["show"], 0);
    EXPECT_EQ(Callbacks(), std::vector<LPARAM>{WM_RBUTTONDOWN});
}

TEST_F(QtTrayIconsTest, TheIconOnScreenAlternatesBetweenTheTwoImages) {
    const QRect area = AddIcon();
    const QImage first = desktop_user::Screenshot(area);
    const auto show = [&](const char* name) {
        record.uFlags = NIF_ICON;
        record.hIcon = LoadIconA(GetModuleHandleA(nullptr), name);
        ASSERT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &record));
    };
    show("FILLEDICON");
    QImage filled;
    EXPECT_TRUE(
        WaitUntil([&] { return (filled = desktop_user::Screenshot(area)) != first; }, "the filled icon"));
    show("MAINICON");
    EXPECT_TRUE(WaitUntil([&] { return desktop_user::Screenshot(area) == first; }, "the main icon again"));
    EXPECT_GT(DifferingPixels(first, filled), 10);
}

TEST_F(QtTrayIconsTest, RecordsAreKeyedByWindowAndIdAndRemovedFromTheTray) {
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &record));
    AddIcon();
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &record));
    NOTIFYICONDATAA other = record;
    other.uID = kId + 1;
    EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &other));
    EXPECT_TRUE(Shell_NotifyIconA(NIM_DELETE, &record));
    EXPECT_TRUE(WaitUntil([] { return desktop_user::TrayIconArea().isEmpty(); }, "the icon to leave the tray"));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &record));
}

// The program puts its window away only where the notification area is there: the answer follows the host
// as it goes and as another comes, and the icon moves into the new host.
TEST_F(QtTrayIconsTest, TheAreaIsThereWhileAHostHoldsItAndTheIconMovesToAHostThatComesLater) {
    widgetset::Widgetset& widgetset = CurrentWidgetset();
    EXPECT_TRUE(widgetset.NotificationAreaAvailable());
    AddIcon();
    desktop_user::Run("xdotool search --limit 1 --class trayer windowkill");
    EXPECT_TRUE(
        WaitUntil([&] { return !widgetset.NotificationAreaAvailable(); }, "the area to go with its host"));
    desktop_user::Run(
        "trayer --edge top --align right --widthtype pixel --width 32 --height 32 >/dev/null 2>&1 &");
    EXPECT_TRUE(WaitUntil([&] { return widgetset.NotificationAreaAvailable(); }, "the new host's area"));
    EXPECT_TRUE(WaitUntil([] { return !desktop_user::TrayIconArea().isEmpty(); }, "the icon in the new host"));
}

TEST(QtIconCacheTest, EachNameHasOneStableHandleAndIsDecodedOnce) {
    const HMODULE module = GetModuleHandleA(nullptr);
    const HICON main = LoadIconA(module, "MAINICON");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(LoadIconA(module, "mainicon"), main);
    EXPECT_NE(LoadIconA(module, "FILLEDICON"), main);
    EXPECT_EQ(LoadIconA(module, "NOSUCHICON"), nullptr);
    EXPECT_EQ(LoadIconA(nullptr, "MAINICON"), nullptr);
    const QIcon icon = qtbackend::IconOf(main);
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(qtbackend::IconOf(main).cacheKey(), icon.cacheKey());
    EXPECT_FALSE(icon.availableSizes().isEmpty());
    EXPECT_TRUE(qtbackend::IconOf(nullptr).isNull());
}

// Each icon's pixels as Qt's own .ico reader gives them, the icon drawn from its image at its size.
TEST(QtIconCacheTest, AnIconIsDrawnFromItsOwnImageMadeSmallerButNeverLarger) {
    for (const EmbeddedIcon& file : EmbeddedIcons()) {
        const QImage read = QImage::fromData(file.data.data(), static_cast<int>(file.data.size()), "ico");
        ASSERT_EQ(read.size(), QSize(32, 32)) << file.name;
        EXPECT_EQ(
            qtbackend::IconNamed(file.name).pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32),
            read.convertToFormat(QImage::Format_ARGB32))
            << file.name;
    }
    const EmbeddedIcon* file = FindEmbeddedIcon("MAINICON");
    ASSERT_NE(file, nullptr);
    const QImage made = QImage::fromData(file->data.data(), static_cast<int>(file->data.size()), "ico");
    const QIcon icon = qtbackend::IconNamed("MAINICON");
    EXPECT_EQ(icon.pixmap(16, 16).size(), QSize(16, 16));
    EXPECT_EQ(icon.pixmap(64, 64).size(), QSize(32, 32));
    EXPECT_EQ(icon.actualSize(QSize(64, 48)), QSize(32, 32));
    EXPECT_EQ(icon.actualSize(QSize(24, 48)), QSize(24, 24));

    // Painted in the middle of a larger square, at its own size.
    QImage canvas(48, 48, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    icon.paint(&painter, canvas.rect());
    painter.end();
    EXPECT_EQ(canvas.copy(8, 8, 32, 32), made.convertToFormat(QImage::Format_ARGB32));
}

}  // namespace
