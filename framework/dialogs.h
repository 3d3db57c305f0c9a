// The plain message box: one OK button, the application's title as caption, owned by the application's
// window. Modal: the event loop goes on while it is open.
#pragma once

#include <string>

void ShowMessage(const std::string& text);
