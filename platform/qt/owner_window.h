// The window of a Win32 handle, for parenting dialogs: the visible top-level window of the control whose
// handle it is, or null.
#pragma once

#include <QWidget>

#include "platform/posix/win32_api.h"

namespace qtbackend {

QWidget* VisibleWindowOf(HWND handle);

}  // namespace qtbackend
