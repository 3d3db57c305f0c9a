// The widgetset's modal dialogs: the system's open dialog and a pop-up menu. Both run the system's own
// modal loop, in which the tray, the timers and media notifications go on being dispatched.
#pragma once

#include <optional>
#include <string>

#include "framework/menu_item.h"
#include "framework/popup_menu.h"
#include "framework/widgetset/widgetset.h"

namespace win32backend {

// An open dialog's filter (framework/file_filter.h) as the system's list of pairs, each string ended by a
// null character and the list by another.
std::string SystemFilter(const std::string& filter);

// The chosen file, or nothing when the user cancelled or the application ended (dialog_end.h).
std::optional<std::string> ExecuteOpenFileDialog(const widgetset::OpenFileRequest& request);
// The item the user chose, or null when the menu was dismissed; owner receives the menu's messages.
TMenuItem* ShowPopupMenu(TPopupMenu& menu, int x, int y, HWND owner);
// Whether the user is in a pop-up menu of ShowPopupMenu now.
bool PopupMenuOpen();

}  // namespace win32backend
