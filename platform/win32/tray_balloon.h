// The alarm's notice as the balloon of the program's tray icon, the notice that shell32 gives a program of
// the notification area. A balloon has no buttons: the icon and the message box keep the answers.
#pragma once

#include "framework/widgetset/widgetset.h"

namespace win32backend {

// False when the icon of (notice.window, notice.id) is not there to show it.
bool ShowTrayBalloon(const widgetset::AlarmNotice& notice);
// Takes the balloon of that icon away, shown or queued.
void CloseTrayBalloon(HWND window, UINT id);

}  // namespace win32backend
