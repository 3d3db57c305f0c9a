// The open dialog and pop-up menus, each waited for in a local loop (see modal_wait.h); message boxes are in
// message_box.cpp.
#pragma once

#include <QStringList>
#include <optional>
#include <string>

#include "framework/menu_item.h"
#include "framework/popup_menu.h"
#include "framework/widgetset/widgetset.h"

namespace qtbackend {

// The open dialog: Qt's file dialog for one existing file.
std::optional<std::string> ExecuteOpenFileDialog(const widgetset::OpenFileRequest& request);

// An open dialog's filter (framework/file_filter.h) as Qt's name filters, "Description (*.a)" and
// "Description (*.b *.c)".
QStringList NameFilters(const std::string& filter);

// A pop-up menu of its entries (framework/menu_entries.h) at a screen position: the item the user chose,
// or null when the menu was dismissed.
TMenuItem* ShowPopupMenu(TPopupMenu& menu, int x, int y);

}  // namespace qtbackend
