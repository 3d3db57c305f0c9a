#include "platform/win32/dialog_end.h"

#include <string_view>

#include "framework/dialogs.h"

namespace win32backend {

namespace {

BOOL CALLBACK EndIfDialog(HWND window, LPARAM) {
    if (IsSystemDialog(window)) EndAtApplicationEnd(window);
    return TRUE;
}

}  // namespace

bool IsSystemDialog(HWND window) {
    char name[8] = "";
    GetClassNameA(window, name, sizeof name);
    return std::string_view(name) == "#32770";
}

// The button is pressed, as by the user, so that the dialog's own handling gives its result (the open
// dialog's Cancel returns no file, where ending it with IDCANCEL as its result would return one).
void EndAtApplicationEnd(HWND dialog) {
    const bool hasCancel = GetDlgItem(dialog, IDCANCEL) != nullptr;
    const bool isQuestion = GetDlgItem(dialog, IDNO) != nullptr;
    const int button = hasCancel ? IDCANCEL : MessageBoxAnswerAtEnd(isQuestion ? MB_YESNO : MB_OK);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

void EndOpenDialogs() { EnumThreadWindows(GetCurrentThreadId(), &EndIfDialog, 0); }

}  // namespace win32backend
