// The plain message box: one OK button, the application's title as caption, owned by the application's
// window. Modal: the event loop goes on while it is open.
#pragma once

#include <string>

#include "platform/api.h"

void ShowMessage(const std::string& text);

// What a message box returns when the program's end closed it: OK for a box with OK, No for a Yes/No
// question, the answer that changes nothing. A box opened while the program ends closes at once.
int MessageBoxAnswerAtEnd(UINT type);
