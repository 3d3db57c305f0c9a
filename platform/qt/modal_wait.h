// Waiting for a dialog as Windows waits for a modal one: every other window of the program is disabled
// meanwhile (no click, no key, no close), but for the windows the dialog keeps above itself (a box of its
// own), and the dialog stays above the main form. The wait is a local
// loop, not an application-modal one: Qt drops the tray's activations while an application-modal window
// is open, and the program needs them (and its timers and media notifications) while its dialogs are.
#pragma once

#include <QDialog>
#include <QWidget>

#include "platform/posix/core/win32_api.h"

namespace qtbackend {

// Shows the dialog in front, above the owner's window (see WindowToStayAbove), and runs the loop until it
// is finished or the application is told to end (the dialog is then closed unanswered; see
// ApplicationEnding); returns its result. A dialog shown while the application ends closes at once:
// Rejected.
int ShowAndWait(QDialog& dialog, HWND owner = nullptr);

// The window of a Win32 handle: the visible top-level window of the control whose handle it is, or null.
QWidget* VisibleWindowOf(HWND handle);

// The window a dialog for this owner stays above: the owner's visible top-level window, else the main
// form's when it is visible; null when neither is.
QWidget* WindowToStayAbove(HWND owner);

}  // namespace qtbackend
