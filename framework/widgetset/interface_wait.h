// Waiting on the interface thread for what only time brings (another process's lock on the registry, a
// media file's pre-roll) without freezing the interface. The back ends of Linux provide it; on Windows the
// registry and the media are the system's own calls, which nothing of ours waits in.
#pragma once

#include <chrono>
#include <functional>

namespace widgetset {

// Waits until done() holds, looked at after each event and every few milliseconds, or until `longest` has
// passed on the interface's clock (a test's virtual one, headless); returns done(). Meanwhile the interface
// stays alive but the program is held: windows repaint, the notification area's host gets its answers and
// the animation timers (Widgetset::StartAnimationTimer) tick, while the user's input, the tray's clicks and
// menu, the other timers' ticks, posted messages and a second start's knock wait for the end of the wait.
// So no handler can run inside the code that waits (a registry unit, the settings' load) or change what it
// works on. Held, not refused as in a modal wait: nothing shows the user that the program waits (no window
// is disabled), so a refused click would be lost unseen.
bool WaitKeepingInterfaceAlive(std::chrono::milliseconds longest, const std::function<bool()>& done);

}  // namespace widgetset
