// The Qt application and its loop, shared by the widgetset, the modal dialogs and the shell.
#pragma once

#include <functional>

namespace qtbackend {

// Creates the QApplication on first use (never destroyed, so that widgets freed late still find it) and
// routes posted window messages through its loop.
void EnsureApplication();

// Dispatches Qt's events, batch by batch, until done() holds; checked after every batch. Modal dialogs
// wait through here too, so that timers, the tray and media notifications go on being delivered.
void RunUntil(const std::function<bool()>& done);

}  // namespace qtbackend
