#include "platform/readme_location.h"

#include "framework/param_str.h"

// The installer and the portable zip both put README.txt beside alarmclock.exe (packaging/windows).
std::string ReadmeLocation() {
    const std::string program = ParamStr(0);
    return program.substr(0, program.find_last_of('\\') + 1) + "README.txt";
}
