// The application's end ends the system's boxes and dialogs that the program's thread has open, as the
// other back ends' modal waits end then (framework/dialogs.h): each with the answer that changes nothing.
#pragma once

#include "platform/api.h"

namespace win32backend {

// Whether the window is one of the boxes and dialogs that the system shows.
bool IsSystemDialog(HWND window);
// Presses Cancel where the dialog has it (the open dialog: nothing chosen), else what MessageBoxAnswerAtEnd
// gives a box of its buttons: No for a question, else OK.
void EndAtApplicationEnd(HWND dialog);
// Every dialog of the thread; each one's loop returns once the handler that called this returns.
void EndOpenDialogs();

}  // namespace win32backend
