#include "platform/win32/dialogs.h"

#include <commdlg.h>

#include <vector>

#include "framework/application.h"
#include "framework/rules/file_filter.h"
#include "framework/rules/menu_entries.h"
#include "platform/win32/control_peer.h"
#include "platform/win32/event_loop.h"

namespace win32backend {

std::string SystemFilter(const std::string& filter) {
    std::string result;
    for (const FileFilter& pair : SplitFilter(filter)) {
        std::string patterns;
        for (const std::string& pattern : pair.patterns) patterns += (patterns.empty() ? "" : ";") + pattern;
        result += pair.description;
        result += '\0';
        result += patterns;
        result += '\0';
    }
    return result;
}

std::optional<std::string> ExecuteOpenFileDialog(const widgetset::OpenFileRequest& request) {
    // As a box that opens then: closed at once, nothing chosen.
    if (ApplicationEnding()) return std::nullopt;
    const std::string filter = SystemFilter(request.filter);
    std::vector<char> file(32768, '\0');
    request.initialFile.copy(file.data(), file.size() - 1);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    // Owned by the active form, if one of ours is: the dialog then stands in front of it.
    HWND active = GetActiveWindow();
    dialog.hwndOwner = ControlPeer::FromWindow(active) != nullptr ? active : nullptr;
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    dialog.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const ModalScope modal;
    if (!GetOpenFileNameA(&dialog)) return std::nullopt;
    return std::string(file.data());
}

namespace {

bool menuOpen = false;

}  // namespace

bool PopupMenuOpen() { return menuOpen; }

TMenuItem* ShowPopupMenu(TPopupMenu& menu, int x, int y, HWND owner) {
    HMENU popup = CreatePopupMenu();
    std::vector<TMenuItem*> items;
    const std::vector<MenuEntry> entries = MenuEntries(menu);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        TMenuItem* item = menu.Items(static_cast<int>(i));
        if (entries[i] == MenuEntry::Separator) AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        if (entries[i] != MenuEntry::Item) continue;
        items.push_back(item);
        AppendMenuA(popup, MF_STRING, items.size(), item->Caption().c_str());
    }
    // Without the owner in the foreground the menu would not close when the user clicks elsewhere; the
    // message posted after lets the next click work at once.
    SetForegroundWindow(owner);
    menuOpen = true;
    const int chosen =
        TrackPopupMenu(popup, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
    menuOpen = false;
    PostMessageA(owner, WM_NULL, 0, 0);
    DestroyMenu(popup);
    return chosen > 0 && static_cast<std::size_t>(chosen) <= items.size()
               ? items[static_cast<std::size_t>(chosen) - 1]
               : nullptr;
}

}  // namespace win32backend
