#include "platform/readme_location.h"

#include "platform/api.h"

// The installer and the portable zip both put README.txt beside alarmclock.exe (packaging/windows).
std::string ReadmeLocation() {
    std::string program(MAX_PATH, '\0');
    DWORD length = 0;
    // A path cut short fills the whole buffer: try again with a larger one.
    while ((length = GetModuleFileNameA(nullptr, program.data(), static_cast<DWORD>(program.size()))) ==
           program.size()) {
        program.resize(program.size() * 2);
    }
    program.resize(length);
    return program.substr(0, program.find_last_of('\\') + 1) + "README.txt";
}
