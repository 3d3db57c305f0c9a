// Windows outside Windows: a handle, the procedure its messages go to, and a queue for posted messages.
// Back ends create the windows of their controls here; the Win32-named functions read and change them.
// PostMessageA may be called from any thread; the rest belongs to the interface thread, which dispatches.
#pragma once

#include <functional>

#include "platform/posix/core/win32_api.h"

namespace posix {

HWND CreateWindowHandle(WNDPROC procedure);
// Runs the procedures of the messages posted so far (not of those they post in turn); returns how many.
int DispatchPostedMessages();
bool HasPostedMessages();
// Called after every post, on the posting thread, so that a back end's event loop can wake up and dispatch.
void SetPostedMessageWakeup(std::function<void()> wakeup);

}  // namespace posix
