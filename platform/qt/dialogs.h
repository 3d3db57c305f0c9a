// The modal parts of the desktop: message boxes (MessageBoxA), the open dialog and pop-up menus. Each is
// waited for in a local loop without being application-modal: Qt drops the tray's activations while an
// application-modal window is open, and the program needs them (and its timers and media notifications)
// while its dialogs are.
#pragma once

#include <QDialog>
#include <QStringList>
#include <QWidget>
#include <optional>
#include <string>

#include "framework/menu_item.h"
#include "framework/popup_menu.h"
#include "framework/widgetset.h"
#include "platform/posix/win32_api.h"

namespace qtbackend {

// Shows the dialog modal to its parent window only (none: to nothing), in front, and runs the loop until
// it is finished; returns its result.
int ShowAndWait(QDialog& dialog);

// The window of a Win32 handle, for parenting dialogs: the visible top-level window of the control whose
// handle it is, or null.
QWidget* VisibleWindowOf(HWND handle);

// The open dialog: Qt's file dialog for one existing file.
std::optional<std::string> ExecuteOpenFileDialog(const widgetset::OpenFileRequest& request);

// An open dialog's filter, "Description|*.a|Description|*.b;*.c", as Qt's name filters,
// "Description (*.a)" and "Description (*.b *.c)". A description without patterns is left out.
QStringList NameFilters(const std::string& filter);

// A pop-up menu of the visible items at a screen position: the item the user chose, or null when the menu
// was dismissed.
TMenuItem* ShowPopupMenu(TPopupMenu& menu, int x, int y);

}  // namespace qtbackend
