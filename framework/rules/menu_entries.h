// Which items of a pop-up menu show, decided once for every back end: the visible ones, in order. A visible
// item captioned "-" is a separator, shown only between two shown items: never first, last, or right after
// another separator, so hiding items never leaves a stray line.
#pragma once

#include <vector>

#include "framework/popup_menu.h"

enum class MenuEntry { Hidden, Item, Separator };

// How each of the menu's items shows, by its index.
std::vector<MenuEntry> MenuEntries(const TPopupMenu& menu);
