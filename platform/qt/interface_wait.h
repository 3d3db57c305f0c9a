// The waits that keep the interface alive (framework/interface_wait.h) on Qt's loop, and the gate that
// holds the program's handlers meanwhile. Every way into the program that Qt's loop can run during such
// a wait goes through RunOrHold: timer ticks, posted window messages, the tray's activations and menu, a
// window's close, a second start's knock. The user's input to the windows is held by Qt itself
// (ExcludeUserInputEvents) and delivered by the next loop that takes it.
#pragma once

#include <functional>

namespace qtbackend {

// Whether the interface thread is inside such a wait.
bool InterfaceWaiting();

// Runs work now, or, inside such a wait, from the loop once the wait is over, in the order held.
void RunOrHold(std::function<void()> work);

// The calling thread's waits for another process's registry lock keep the interface alive from now on.
void KeepInterfaceAliveInRegistryWaits();

}  // namespace qtbackend
