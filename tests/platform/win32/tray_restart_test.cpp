// The shell's notification area starting anew: the icons it held are gone, and the shell broadcasts the
// registered message "TaskbarCreated" to every top-level window. The tray component must add its icon
// again, or the program is unreachable. Wine's notification area re-docks its own icons when the X tray
// host restarts and is not brought back once killed, so the test plays the shell: it takes the icon
// away, sees it leave the tray host (trayer), broadcasts the message and sees the icon back in trayer.
#include <fstream>
#include <string>

#include "tests/platform/win32/desktop_user.h"
#include "tests/platform/win32/win32_test.h"
#include "tray/qz_tray.h"

namespace {

constexpr std::string_view kLayout = R"(object Form1: TTestForm
  Caption = 'Tray restart'
  ClientHeight = 40
  ClientWidth = 200
end
)";

// The icons docked in trayer's panel now, as the X server lists the panel's children (an empty panel
// holds one 1x1 placeholder).
int IconsInTrayHost() {
    // Wine maps the Unix root to Z:, so the Unix program writes where this one reads.
    const std::string unixListing = "/tmp/alarmclock-tray-tree-" + std::to_string(GetCurrentProcessId());
    const std::string listing = "Z:" + unixListing;
    desktop_user::Run("/bin/sh -c \"/usr/bin/xwininfo -root -tree > " + unixListing + "\"");
    std::ifstream in(listing);
    std::string line;
    int icons = 0;
    bool inPanel = false;
    std::size_t panelIndent = 0;
    std::size_t childIndent = 0;
    while (std::getline(in, line)) {
        const std::size_t indent = line.find_first_not_of(' ');
        if (indent == std::string::npos) continue;
        if (line.find("(\"panel\" \"trayer\")") != std::string::npos) {
            inPanel = true;
            panelIndent = indent;
            continue;
        }
        if (!inPanel) continue;
        if (line.compare(indent, 2, "0x") != 0) continue;  // "N children:" lines
        if (indent <= panelIndent) break;                  // past the panel
        if (childIndent == 0) childIndent = indent;
        if (indent == childIndent && line.find(" 1x1+") == std::string::npos) ++icons;
    }
    in.close();
    DeleteFileA(listing.c_str());
    return icons;
}

using Win32TrayRestartTest = Win32Test;

TEST_F(Win32TrayRestartTest, TheIconComesBackWhenTheNotificationAreaStartsAnew) {
    qzMsgCmpUnit hooks;
    ShowForm(kLayout);
    auto* tray = new TqzTray(form);
    tray->SetName("qzTray1");
    tray->Loaded();
    form->Hide();  // the program's window is hidden while it waits in the tray; broadcasts still reach it
    ASSERT_TRUE(WaitUntil([] { return IconsInTrayHost() == 1; }, "the icon in the tray host"));

    // The shell forgets the icon, as a restarted shell has none of the old ones.
    NOTIFYICONDATA_V1A forgotten = tray->NotifyData();
    ASSERT_TRUE(Shell_NotifyIconV1A(NIM_DELETE, &forgotten));
    ASSERT_TRUE(WaitUntil([] { return IconsInTrayHost() == 0; }, "the icon to leave the tray host"));

    SendNotifyMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitUntil([] { return IconsInTrayHost() == 1; }, "the icon back in the tray host"));
    EXPECT_TRUE(tray->Active());
}

}  // namespace
