// The user at the test display: real pointer and keyboard input through xdotool, a Unix program that Wine
// starts from the test. The events reach the program once its loop runs again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/api.h"

namespace desktop_user {

// Runs a Unix program (a command line as Windows splits it) and waits for it.
void Run(const std::string& commandLine);
// Runs xdotool with the arguments and waits for it.
void Xdotool(const std::string& arguments);

// The centre of a window on the screen.
POINT CentreOf(HWND window);
void Click(POINT at, int button = 1);
void DoubleClick(POINT at);
// Typing and keys start xdotool and return its process (null when it could not start: the test has failed
// then) for the caller to wait on while its loop runs: the keys reach the program one by one, as a user's
// do, instead of all at once after a wait in which the program could not take them (the system's open
// dialog loses every typed character after the first that way).
HANDLE StartTyping(const std::string& text);
// Key names as xdotool knows them: "Return", "Tab", "alt+m".
HANDLE StartKeys(const std::string& keys);

// The screen's pixels in the area, as the display shows them (other programs' windows included), row by
// row, each 0x00RRGGBB.
using Pixels = std::vector<std::uint32_t>;
Pixels Screenshot(const RECT& area);

// Where trayer, at the screen's top right, shows the one icon of the notification area, and its centre.
RECT TrayIconArea();
POINT TrayIconCentre();
// A click on that icon.
void ClickNotificationArea();

}  // namespace desktop_user
