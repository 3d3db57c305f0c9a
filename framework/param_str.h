// The program's command-line parameters; index 0 is the program's own full executable path, as the
// system reports it for the running program.
#pragma once

#include <string>

std::string ParamStr(int index);
