// A pop-up menu of the visible items at a screen position, waited for without blocking the tray.
#pragma once

#include "framework/menu_item.h"
#include "framework/popup_menu.h"

namespace qtbackend {

// The item the user chose, or null when the menu was dismissed.
TMenuItem* ShowPopupMenu(TPopupMenu& menu, int x, int y);

}  // namespace qtbackend
