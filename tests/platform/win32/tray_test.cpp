// The program's tray component in the notification area of a real tray host (trayer) under Wine: the icon
// on screen, real clicks arriving as the shell's mouse messages and as the component's events, the icon's
// two images on screen, the pop-up menu from a right click, clicks while a message box waits, and the alarm's
// balloon.
#include <algorithm>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/menu_item.h"
#include "framework/popup_menu.h"
#include "platform/win32/tray_balloon.h"
#include "tests/platform/win32/desktop_user.h"
#include "tests/platform/win32/win32_test.h"
#include "tray/qz_tray.h"

namespace {

// A form that records the tray's callbacks to its window and counts the tray component's events.
class TTrayForm : public TTestForm {
  public:
    using TTestForm::TTestForm;

    void WindowProc(TMessage& message) override {
        if (message.Msg == TrayCallbackMessage) callbacks.push_back(message.LParam);
        TTestForm::WindowProc(message);
    }
    void TrayClick(TObject*) { ++trayClicks; }
    void TrayDoubleClick(TObject*) { ++trayDoubleClicks; }
    void TrayMenu(TObject*) { ++trayMenus; }

    std::vector<LPARAM> callbacks;
    int trayClicks = 0;
    int trayDoubleClicks = 0;
    int trayMenus = 0;
};

int DifferingPixels(const desktop_user::Pixels& a, const desktop_user::Pixels& b) {
    int count = 0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) count += a[i] != b[i];
    return count;
}

// Takes the text of the first shown tooltip window into the optional wstring at found.
BOOL CALLBACK TakeBalloonText(HWND window, LPARAM found) {
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (std::string_view(className) != "tooltips_class32" || !IsWindowVisible(window)) return TRUE;
    wchar_t shown[512] = L"";
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, std::size(shown), reinterpret_cast<LPARAM>(shown), SMTO_ABORTIFHUNG,
                        2000, &length);
    reinterpret_cast<std::optional<std::wstring>*>(found)->emplace(shown, length);
    return FALSE;
}

// The text of the balloon that the shell shows (a tooltip window of its own process), or nothing while
// none shows.
std::optional<std::wstring> ShownBalloonText() {
    std::optional<std::wstring> text;
    EnumWindows(&TakeBalloonText, reinterpret_cast<LPARAM>(&text));
    return text;
}

class Win32TrayTest : public Win32Test {
  protected:
    Win32TrayTest() {
        // The hook list outlives every component that hooks a window, as the program's own does.
        static qzMsgCmpUnit unit;
        application->CreateForm(trayForm);
        tray = new TqzTray(trayForm);
        tray->SetName("tray");
        tray->IconResources().Add("FILLEDICON");
        tray->SetSimpleFunction(MakeNotifyEvent<&TTrayForm::TrayClick>(trayForm));
        tray->SetDefaultFunction(MakeNotifyEvent<&TTrayForm::TrayDoubleClick>(trayForm));
        tray->SetShowMenu(MakeNotifyEvent<&TTrayForm::TrayMenu>(trayForm));
    }
    // The tray as it was before, so that the next test starts from it.
    ~Win32TrayTest() override {
        tray->SetActive(false);
        WaitUntil([&] { return Tray() == emptyTray; }, "the icon to leave the tray");
    }

    // Adds the icon and waits until trayer shows it.
    Pixels ShowIcon() {
        tray->SetActive(true);
        EXPECT_TRUE(tray->Active());
        return SettledTray([&](const Pixels& shown) { return shown != emptyTray; }, "the icon in the tray");
    }
    // The button messages among the callbacks (the pointer's moves over the icon arrive too).
    std::vector<LPARAM> ButtonCallbacks() const {
        std::vector<LPARAM> codes;
        for (LPARAM code : trayForm->callbacks) {
            if (code >= WM_LBUTTONDOWN && code <= WM_RBUTTONDBLCLK) codes.push_back(code);
        }
        return codes;
    }
    bool Arrived(LPARAM code) const {
        const auto codes = ButtonCallbacks();
        return std::find(codes.begin(), codes.end(), code) != codes.end();
    }

    const Pixels emptyTray = Tray();
    TTrayForm* trayForm = nullptr;
    TqzTray* tray = nullptr;
};

TEST_F(Win32TrayTest, TheIconShowsAndRealClicksArriveAsTheShellsMouseMessagesAndTheComponentsEvents) {
    EXPECT_GT(DifferingPixels(ShowIcon(), emptyTray), 50);
    desktop_user::Click(desktop_user::TrayIconCentre());
    ASSERT_TRUE(WaitUntil([&] { return Arrived(WM_LBUTTONUP); }, "the click's callbacks"));
    EXPECT_EQ(ButtonCallbacks(), (std::vector<LPARAM>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_EQ(trayForm->trayClicks, 1);

    // A middle click first, so that the double click cannot start with the click before; waited for, since
    // on a loaded machine the double click's first press once arrived before it.
    desktop_user::Click(desktop_user::TrayIconCentre(), 2);
    const auto& callbacks = trayForm->callbacks;
    ASSERT_TRUE(WaitUntil(
        [&] { return std::find(callbacks.begin(), callbacks.end(), WM_MBUTTONUP) != callbacks.end(); },
        "the middle click's callback"));
    trayForm->callbacks.clear();
    desktop_user::DoubleClick(desktop_user::TrayIconCentre());
    ASSERT_TRUE(WaitUntil([&] { return ButtonCallbacks().size() == 4; }, "the double click's callbacks"));
    EXPECT_EQ(ButtonCallbacks(),
              (std::vector<LPARAM>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
    EXPECT_EQ(trayForm->trayClicks, 2);
    EXPECT_EQ(trayForm->trayDoubleClicks, 1);
    EXPECT_EQ(trayForm->trayMenus, 0);
}

TEST_F(Win32TrayTest, TheIconOnScreenChangesWithTheComponentsImageAndComesBack) {
    const Pixels main = ShowIcon();
    tray->NextIcon();
    const Pixels filled = SettledTray([&](const Pixels& shown) { return shown != main; }, "the filled icon");
    EXPECT_GT(DifferingPixels(main, filled), 50);
    tray->PreviousIcon();
    // Back to the main image; Wine's explorer may blend its edges with what the window showed before, so
    // it is compared by likeness rather than pixel for pixel.
    const Pixels back =
        SettledTray([&](const Pixels& shown) { return shown != filled; }, "the main icon again");
    EXPECT_LT(DifferingPixels(back, main), DifferingPixels(back, filled) / 2)
        << DifferingPixels(back, main) << " pixels differ from the main image, "
        << DifferingPixels(back, filled) << " from the filled one";
}

TEST_F(Win32TrayTest, ARightClickShowsTheMenuAtTheCursorAndTheChosenItemRuns) {
    auto* menu = new TPopupMenu(trayForm);
    const char* captions[] = {"Show Settings", "Hidden", "Exit Program"};
    const char* names[] = {"show", "hidden", "exitprogram"};
    for (int i = 0; i < 3; ++i) {
        auto* item = new TMenuItem(trayForm);
        item->SetName(names[i]);
        item->SetCaption(captions[i]);
        item->SetVisible(i != 1);
        item->SetOnClick(MakeNotifyEvent<&TTestForm::Clicked>(static_cast<TTestForm*>(trayForm)));
        menu->Add(item);
    }
    tray->SetPopupMenu(menu);
    ShowIcon();
    // Once the menu is up, the user clicks its second entry, the second visible item.
    RECT shownAt{};
    widgetset::TimerId user = 0;
    user = CurrentWidgetset().StartTimer(100, [&] {
        HWND popup = FindWindowA("#32768", nullptr);
        if (popup == nullptr || !IsWindowVisible(popup)) return;
        CurrentWidgetset().StopTimer(user);
        GetWindowRect(popup, &shownAt);
        const int entry = (shownAt.bottom - shownAt.top) / 2;
        desktop_user::Click({(shownAt.left + shownAt.right) / 2, shownAt.top + entry + entry / 2});
    });
    desktop_user::Click(desktop_user::TrayIconCentre(), 3);
    ASSERT_TRUE(WaitUntil([&] { return trayForm->clicks["exitprogram"] == 1; }, "the chosen item's click"));
    CurrentWidgetset().StopTimer(user);
    EXPECT_EQ(trayForm->clicks["show"], 0);
    EXPECT_EQ(trayForm->trayMenus, 1);
    // The menu opens at the cursor, which the click left on the icon (moved left, so that it fits).
    const POINT cursor = desktop_user::TrayIconCentre();
    EXPECT_LE(std::abs(shownAt.top - cursor.y), 8);
    EXPECT_LE(shownAt.left, cursor.x);
    EXPECT_GE(shownAt.right, cursor.x);
    // The press and the release, once each. The menu's loop runs inside the handling of the press, so the
    // release reaches the form's window before the press comes back to it: their order is not seen here.
    ASSERT_TRUE(WaitUntil([&] { return Arrived(WM_RBUTTONUP); }, "the right button's release"));
    std::vector<LPARAM> codes = ButtonCallbacks();
    std::sort(codes.begin(), codes.end());
    EXPECT_EQ(codes, (std::vector<LPARAM>{WM_RBUTTONDOWN, WM_RBUTTONUP}));
}

TEST_F(Win32TrayTest, ClicksOnTheIconArriveWhileAMessageBoxWaits) {
    ShowIcon();
    // The user clicks the icon once the box shows, then answers the box once the click arrived (or after
    // ten seconds, so that a click that never arrives fails the test instead of hanging it).
    widgetset::TimerId user = 0;
    bool clicked = false;
    const DWORD start = GetTickCount();
    user = CurrentWidgetset().StartTimer(100, [&] {
        HWND box = FindWindowA("#32770", "Tray test");
        if (box == nullptr || !IsWindowVisible(box)) return;
        if (!clicked) {
            clicked = true;
            desktop_user::Click(desktop_user::TrayIconCentre());
        } else if (trayForm->trayClicks > 0 || GetTickCount() - start > 10000) {
            CurrentWidgetset().StopTimer(user);
            desktop_user::Click(desktop_user::CentreOf(GetDlgItem(box, IDOK)));
        }
    });
    EXPECT_EQ(MessageBoxA(WindowOf(*trayForm), "Alarm!", "Tray test", MB_OK), IDOK);
    CurrentWidgetset().StopTimer(user);
    EXPECT_EQ(trayForm->trayClicks, 1);
}

// The balloon's field holds 255 bytes: the text is cut between characters, with the mark in the last three.
TEST_F(Win32TrayTest, TheBalloonShowsFromTheIconWithItsTextCutBetweenCharactersAndGoesAway) {
    ShowIcon();
    widgetset::AlarmNotice notice;
    notice.title = "Alarm";
    for (int i = 0; i < 200; ++i) notice.text += "\xC3\xA9";  // "é"
    notice.window = tray->NotifyData().hWnd;
    notice.id = tray->TrayId();
    ASSERT_TRUE(win32backend::ShowTrayBalloon(notice));
    std::optional<std::wstring> shown;
    EXPECT_TRUE(WaitUntil([&] { return (shown = ShownBalloonText()).has_value(); }, "the balloon"));
    EXPECT_EQ(shown, std::wstring(126, L'\u00E9') + L'\u2026');
    win32backend::CloseTrayBalloon(notice.window, notice.id);
    EXPECT_TRUE(WaitUntil([] { return !ShownBalloonText(); }, "the balloon to go"));
    tray->SetActive(false);
    ASSERT_TRUE(WaitUntil([&] { return Tray() == emptyTray; }, "the icon to leave the tray"));
    EXPECT_FALSE(win32backend::ShowTrayBalloon(notice)) << "shown without its icon";
}

}  // namespace
