// Where the program's README is, for the texts that send the user to it.
#pragma once

#include <string>

// The README's path as the user would open it, found from the running program's folder: on Linux where the
// installation put it (the source tree's for a program run from its build tree), on Windows the file beside
// the program, wherever the installer or the user put it.
std::string ReadmeLocation();
