#include "platform/readme_location.h"

// The package installs it with the program's documentation (packaging/CMakeLists.txt).
std::string ReadmeLocation() { return "/usr/share/doc/alarmclock/README.md"; }
