// The modal dialogs, answered by a real user while the program's timers go on.
#include "platform/win32/dialogs.h"

#include <dlgs.h>

#include "framework/menu_item.h"
#include "framework/popup_menu.h"
#include "tests/platform/win32/desktop_user.h"
#include "tests/platform/win32/win32_test.h"

namespace {

using DialogsTest = Win32Test;

TEST(SystemFilter, PairsEndInNullsAndADescriptionWithoutPatternsIsLeftOut) {
    using namespace std::string_literals;
    EXPECT_EQ(win32backend::SystemFilter("Sounds|*.wav;*.mp3|All|*.*"), "Sounds\0*.wav;*.mp3\0All\0*.*\0"s);
    EXPECT_EQ(win32backend::SystemFilter("Lonely"), ""s);
    EXPECT_EQ(win32backend::SystemFilter(""), ""s);
}

TEST_F(DialogsTest, APopupMenuReturnsTheClickedVisibleItemWhileTimersGoOn) {
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

TEST_F(DialogsTest, TheOpenDialogReturnsTheTypedPath) {
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    const std::string path = std::string(folder) + "alarmclock-chosen.wav";
    CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    // The user types the path into the file name box; once it reads there in full, presses Return.
    bool typed = false;
    widgetset::TimerId user = 0;
    user = CurrentWidgetset().StartTimer(100, [&] {
        HWND dialog = FindWindowA("#32770", "Choose a sound");
        if (dialog == nullptr || !IsWindowVisible(dialog)) return;
        if (!typed) {
            typed = true;
            desktop_user::TypeWhileLoopRuns(path);
            return;
        }
        char shown[MAX_PATH] = "";
        GetDlgItemTextA(dialog, cmb13, shown, sizeof shown);
        if (shown != path) return;
        CurrentWidgetset().StopTimer(user);
        desktop_user::Key("Return");
    });
    const auto chosen =
        CurrentWidgetset().ExecuteOpenDialog({"Choose a sound", "Sounds|*.wav|All|*.*", "wav", ""});
    EXPECT_TRUE(typed);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, path);
}

}  // namespace
