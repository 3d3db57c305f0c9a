// The box the shell shows when it cannot open a file, as a desktop's shell does: captioned with the
// program's title, always shown on the interface thread, through the seam's MessageBoxA.
#pragma once

#include <functional>
#include <string>

namespace posix {

// Where the caption comes from, read each time a box is shown; the back end sets it. Without it the box
// has MessageBoxA's default caption.
void SetShellErrorCaption(std::function<std::string()> caption);

// On the interface thread: shows the box now and returns when the user has closed it.
void ShowShellError(const std::string& text);

// On the interface thread: a function that any thread may call later with a text, whose box the interface
// thread then shows from the posted-message queue.
std::function<void(std::string)> ShellErrorPoster();

}  // namespace posix
