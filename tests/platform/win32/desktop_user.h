// The user at the test display: real pointer and keyboard input through xdotool, a Unix program that Wine
// starts from the test. The events reach the program once its loop runs again.
#pragma once

#include <string>

#include "platform/api.h"

namespace desktop_user {

// Runs xdotool with the arguments and waits for it.
void Xdotool(const std::string& arguments);

// The centre of a window on the screen.
POINT CentreOf(HWND window);
void Click(POINT at, int button = 1);
// A click on the first icon of the test desktop's notification area (trayer's panel).
void ClickNotificationArea();
void Type(const std::string& text);
// Key names as xdotool knows them: "Return", "Tab", "alt+m".
void Key(const std::string& keys);
// Types the text without waiting: for a modal loop that must go on meanwhile (the
// system's open dialog loses every typed character after the first when the keys reach it all at once, as
// they do when its thread waits for xdotool to end).
void TypeWhileLoopRuns(const std::string& text);

}  // namespace desktop_user
