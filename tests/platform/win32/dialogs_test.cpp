// The modal dialogs, answered by a real user while the program's timers go on.
#include "platform/win32/dialogs.h"

#include <dlgs.h>
#include <shellapi.h>

#include "framework/captioned.h"
#include "framework/dialogs.h"
#include "framework/menu_item.h"
#include "framework/popup_menu.h"
#include "platform/win32/hidden_window.h"
#include "tests/platform/win32/desktop_user.h"
#include "tests/platform/win32/win32_test.h"

namespace {

using Win32DialogsTest = Win32Test;

TEST(Win32SystemFilterTest, PairsEndInNulls) {
    using namespace std::string_literals;
    EXPECT_EQ(win32backend::SystemFilter("Sounds|*.wav;*.mp3|All|*.*"), "Sounds\0*.wav;*.mp3\0All\0*.*\0"s);
}

TEST_F(Win32DialogsTest, APopupMenuReturnsTheClickedVisibleItemWhileTimersGoOn) {
    auto menu = MakeComponent<TPopupMenu>(nullptr);
    const char* captions[] = {"&Show", "Hidden", "E&xit"};
    TMenuItem* items[3];
    for (int i = 0; i < 3; ++i) {
        items[i] = new TMenuItem(menu.get());
        items[i]->SetCaption(captions[i]);
        menu->Add(items[i]);
    }
    items[1]->SetVisible(false);
    int ticks = 0;
    const auto timer = CurrentWidgetset().StartTimer(20, [&] { ++ticks; });
    // Once the menu is up, the user clicks its second entry, the second visible item.
    widgetset::TimerId user = 0;
    user = CurrentWidgetset().StartTimer(100, [&] {
        HWND popup = FindWindowA("#32768", nullptr);
        if (popup == nullptr || !IsWindowVisible(popup)) return;
        CurrentWidgetset().StopTimer(user);
        RECT area{};
        GetWindowRect(popup, &area);
        const int entry = (area.bottom - area.top) / 2;
        desktop_user::Click({(area.left + area.right) / 2, area.top + entry + entry / 2});
    });
    TMenuItem* chosen = CurrentWidgetset().PopupMenu(*menu, 200, 200);
    CurrentWidgetset().StopTimer(user);
    CurrentWidgetset().StopTimer(timer);
    EXPECT_EQ(chosen, items[2]);
    EXPECT_GT(ticks, 0);
}

TEST_F(Win32DialogsTest, TheOpenDialogReturnsTheTypedPath) {
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    const std::string path = std::string(folder) + "alarmclock-chosen.wav";
    CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    // The user types the path into the file name box; once it reads there in full, presses Return.
    bool typed = false;
    widgetset::TimerId user = 0;
    user = CurrentWidgetset().StartTimer(100, [&] {
        HWND dialog = FindWindowA("#32770", "Choose a sound");
        // Typed keys reach the foreground window only.
        if (dialog == nullptr || !IsWindowVisible(dialog) || GetForegroundWindow() != dialog) return;
        if (!typed) {
            typed = true;
            CloseHandle(desktop_user::StartTyping(path));
            return;
        }
        char shown[MAX_PATH] = "";
        GetDlgItemTextA(dialog, cmb13, shown, sizeof shown);
        if (shown != path) return;
        CurrentWidgetset().StopTimer(user);
        CloseHandle(desktop_user::StartKeys("Return"));
    });
    const auto chosen =
        CurrentWidgetset().ExecuteOpenDialog({"Choose a sound", "Sounds|*.wav|All|*.*", "wav", ""});
    EXPECT_TRUE(typed);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, path);
}

}  // namespace

namespace {

// The settings window's button stands away from the screen's centre, where the box appears.
constexpr std::string_view kModalLayout = R"(object Form1: TTestForm
  Caption = 'Modal'
  ClientHeight = 300
  ClientWidth = 500
  Position = poScreenCenter
  object Button1: TButton
    Left = 8
    Top = 8
    Width = 75
    Height = 25
    Caption = 'Press'
    OnClick = Clicked
  end
end
)";

constexpr UINT kTrayMessage = WM_APP + 1;

}  // namespace

TEST_F(Win32DialogsTest, AMessageBoxIsOnTheTaskbarOnTopAndDisablesTheProgramsWindowsWhileTheTrayAndTimersGoOn) {
    ShowForm(kModalLayout);
    HWND settings = WindowOf(*form);
    HWND button = WindowOf(Find<TButton>("Button1"));
    int trayClicks = 0;
    win32backend::HiddenWindow trayOwner([&](UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message == kTrayMessage && lParam == WM_LBUTTONUP) ++trayClicks;
        return std::nullopt;
    });
    NOTIFYICONDATAA icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = trayOwner.Handle();
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_MESSAGE;
    icon.uCallbackMessage = kTrayMessage;
    icon.hIcon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    const Pixels emptyTray = Tray();
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &icon));
    SettledTray([&](const Pixels& shown) { return shown != emptyTray; }, "the icon in the tray");

    int ticks = 0;
    const auto timer = CurrentWidgetset().StartTimer(20, [&] { ++ticks; });
    bool settingsEnabled = true;
    LONG_PTR boxStyle = 0;
    bool boxInForeground = false;
    bool boxInFront = false;
    bool clicked = false;
    const DWORD start = GetTickCount();
    widgetset::TimerId user = 0;
    user = CurrentWidgetset().StartTimer(100, [&] {
        HWND box = FindWindowA("#32770", "Win32 test");
        if (box == nullptr || !IsWindowVisible(box)) return;
        if (!clicked) {
            clicked = true;
            settingsEnabled = IsWindowEnabled(settings) != FALSE;
            boxStyle = GetWindowLongPtrA(box, GWL_EXSTYLE);
            boxInForeground = GetForegroundWindow() == box;
            // Code brings the settings window forward (as a tray click does): the box stays in front.
            form->BringToFront();
            boxInFront = GetAncestor(WindowFromPoint(desktop_user::CentreOf(box)), GA_ROOT) == box;
            desktop_user::Click(desktop_user::CentreOf(button));
            desktop_user::ClickNotificationArea();
            return;
        }
        // Answers the box once the tray's click arrived, or after ten seconds, so that a click that never
        // arrives fails the test instead of hanging it.
        if (trayClicks == 0 && GetTickCount() - start < 10000) return;
        CurrentWidgetset().StopTimer(user);
        desktop_user::Click(desktop_user::CentreOf(GetDlgItem(box, IDOK)));
    });
    ShowMessage("Modal");
    CurrentWidgetset().StopTimer(user);
    CurrentWidgetset().StopTimer(timer);
    Shell_NotifyIconA(NIM_DELETE, &icon);
    // The tray as it was before, so that the next test starts from it.
    WaitUntil([&] { return Tray() == emptyTray; }, "the icon to leave the tray");

    EXPECT_FALSE(settingsEnabled);
    // A button of its own on the taskbar, though its owner has none, and above every other program's window.
    EXPECT_NE(boxStyle & WS_EX_APPWINDOW, 0);
    EXPECT_NE(boxStyle & WS_EX_TOPMOST, 0);
    EXPECT_TRUE(boxInForeground);
    EXPECT_TRUE(boxInFront);
    EXPECT_GT(trayClicks, 0);
    EXPECT_GT(ticks, 0);
    EXPECT_EQ(form->clicks["Button1"], 0);
    // Enabled again after: the same click now reaches the button, once.
    EXPECT_TRUE(IsWindowEnabled(settings));
    desktop_user::Click(desktop_user::CentreOf(button));
    ASSERT_TRUE(WaitUntil([&] { return form->clicks["Button1"] > 0; }, "the click after the box"));
    EXPECT_EQ(form->clicks["Button1"], 1);
}

// As much as fits the work area, with the box and its OK button in it.
TEST_F(Win32DialogsTest, AMessageBoxShowsTheBeginningOfATextLongerThanTheScreenHoldsAndMarksTheCut) {
    std::string words;
    while (words.size() < 20000) words += "wake up ";
    std::string lines;
    while (lines.size() < (1 << 20)) lines += "line " + std::to_string(lines.size()) + "\r\n";
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"20,000 characters of words", words.substr(0, 20000)},
        {"one word of a megabyte", std::string(1 << 20, 'x')},
        {"a megabyte of short lines", lines},
    };
    for (const auto& [what, text] : cases) {
        SCOPED_TRACE(what);
        std::wstring shown;
        RECT box{}, ok{}, work{};
        widgetset::TimerId user = 0;
        user = CurrentWidgetset().StartTimer(50, [&] {
            const HWND shownBox = FindWindowA("#32770", "Win32 test");
            if (shownBox == nullptr || !IsWindowVisible(shownBox)) return;
            CurrentWidgetset().StopTimer(user);
            const HWND textControl = GetDlgItem(shownBox, 0xFFFF);
            shown.resize(static_cast<std::size_t>(GetWindowTextLengthW(textControl)) + 1);
            shown.resize(static_cast<std::size_t>(
                GetWindowTextW(textControl, shown.data(), static_cast<int>(shown.size()))));
            GetWindowRect(shownBox, &box);
            GetWindowRect(GetDlgItem(shownBox, IDOK), &ok);
            MONITORINFO monitor{};
            monitor.cbSize = sizeof monitor;
            GetMonitorInfoA(MonitorFromWindow(shownBox, MONITOR_DEFAULTTOPRIMARY), &monitor);
            work = monitor.rcWork;
            PostMessageA(shownBox, WM_COMMAND, IDOK, 0);
        });
        Application->ShowException(text);
        CurrentWidgetset().StopTimer(user);
        EXPECT_LE(box.bottom - box.top, work.bottom - work.top) << "taller than the work area";
        EXPECT_TRUE(box.left >= work.left && box.right <= work.right && box.top >= work.top &&
                    box.bottom <= work.bottom)
            << "off the work area";
        EXPECT_TRUE(ok.left >= work.left && ok.right <= work.right && ok.top >= work.top &&
                    ok.bottom <= work.bottom)
            << "OK off the work area";
        ASSERT_GT(shown.size(), 40u);
        EXPECT_EQ(shown.back(), L'\u2026') << "the cut is not marked";
        const std::wstring kept = shown.substr(0, shown.size() - 1);
        EXPECT_EQ(std::wstring(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(kept.size())), kept)
            << "not the text's beginning";
    }
}

// The program closes its boxes from a depth on unanswered (a snoozed alarm's message): the inner box
// returns what the program's end would give it, and the outer one stays for the user's answer. What is
// still open ten seconds on is answered otherwise, so that a wait that never ends fails the test.
TEST_F(Win32DialogsTest, TheProgramClosesItsInnerBoxUnansweredAndTheOuterOneStays) {
    int inner = 0;
    const auto opener = CurrentWidgetset().StartTimer(100, [&] {
        HWND outer = FindWindowA("#32770", "Outer");
        if (inner != 0 || CurrentWidgetset().OpenMessageBoxes() != 1 || outer == nullptr ||
            !IsWindowVisible(outer))
            return;
        inner = -1;  // this tick waits in the inner box
        inner = MessageBoxFittingA(application->Handle(), "Inner?", "Inner", MB_YESNO);
    });
    const DWORD start = GetTickCount();
    const auto user = CurrentWidgetset().StartTimer(100, [&] {
        HWND outer = FindWindowA("#32770", "Outer");
        HWND innerBox = FindWindowA("#32770", "Inner");
        if (GetTickCount() - start > 10000) {
            if (innerBox != nullptr) EndDialog(innerBox, IDYES);
            if (outer != nullptr) EndDialog(outer, IDNO);
        } else if (innerBox != nullptr && IsWindowVisible(innerBox)) {
            if (CurrentWidgetset().OpenMessageBoxes() == 2) CurrentWidgetset().EndMessageBoxes(2);
        } else if (inner > 0 && outer != nullptr) {
            EndDialog(outer, IDYES);  // the user's answer
        }
    });
    EXPECT_EQ(MessageBoxFittingA(application->Handle(), "Outer?", "Outer", MB_YESNO), IDYES);
    EXPECT_EQ(inner, IDNO);
    EXPECT_EQ(CurrentWidgetset().OpenMessageBoxes(), 0u);
    CurrentWidgetset().StopTimer(opener);
    CurrentWidgetset().StopTimer(user);
}

TEST_F(Win32DialogsTest, TheProgramsEndClosesTheOpenBoxAndDialogUnansweredAndLaterOnesAtOnce) {
    ShowForm(kModalLayout);
    bool opened = false;
    std::optional<std::string> chosen;
    int unended = 0;
    // Once the question is up, a tick opens the open dialog over it; once that is up, the program ends.
    // What is still open ten seconds on is answered Yes or OK, so that a wait that never ends fails the test
    // instead of hanging it.
    widgetset::TimerId user = 0;
    const DWORD start = GetTickCount();
    user = CurrentWidgetset().StartTimer(100, [&] {
        HWND question = FindWindowA("#32770", "Win32 test");
        HWND dialog = FindWindowA("#32770", "Choose a sound");
        if (GetTickCount() - start > 10000) {
            for (HWND open : {dialog, question}) {
                if (open == nullptr) continue;
                ++unended;
                EndDialog(open, open == question ? IDYES : IDOK);
            }
        } else if (dialog != nullptr && IsWindowVisible(dialog)) {
            form->Close();
        } else if (!opened && question != nullptr && IsWindowVisible(question)) {
            opened = true;
            chosen = CurrentWidgetset().ExecuteOpenDialog({"Choose a sound", "Sounds|*.wav", "wav", ""});
        }
    });
    EXPECT_EQ(MessageBoxA(application->Handle(), "Sure?", "Win32 test", MB_YESNO), IDNO);
    EXPECT_TRUE(opened);
    EXPECT_EQ(chosen, std::nullopt);
    EXPECT_TRUE(application->Terminated());
    EXPECT_TRUE(IsWindowEnabled(WindowOf(*form)));
    // Opened once the program ends, each closes at once, as unanswered.
    EXPECT_EQ(MessageBoxA(application->Handle(), "Too late?", "Win32 test", MB_YESNO), IDNO);
    EXPECT_EQ(MessageBoxA(application->Handle(), "Too late", "Win32 test", MB_OK), IDOK);
    EXPECT_EQ(CurrentWidgetset().ExecuteOpenDialog({"Choose a sound", "Sounds|*.wav", "wav", ""}),
              std::nullopt);
    CurrentWidgetset().StopTimer(user);
    EXPECT_EQ(unended, 0);
}
