#include "framework/dialogs.h"

#include "framework/application.h"

void ShowMessage(const std::string& text) {
    const std::string caption = Application != nullptr ? Application->Title() : std::string();
    const HWND owner = Application != nullptr ? Application->Handle() : nullptr;
    MessageBoxFittingA(owner, text.c_str(), caption.c_str(), MB_OK);
}

int MessageBoxAnswerAtEnd(UINT type) { return (type & MB_YESNO) != 0 ? IDNO : IDOK; }
