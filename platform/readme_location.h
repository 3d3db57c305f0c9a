// Where the program's README is, for the texts that send the user to it.
#pragma once

#include <string>

// The README's path as the user would open it: where the Linux package installs it, or on Windows the file
// beside the running program, wherever the installer or the user put it.
std::string ReadmeLocation();
