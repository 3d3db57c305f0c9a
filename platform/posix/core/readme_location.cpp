#include "platform/readme_location.h"

#include <filesystem>
#include <system_error>

#include "framework/param_str.h"

// ALARMCLOCK_README_FROM_BINDIR is where the installation puts the README, from the program's folder
// (platform/posix/CMakeLists.txt), so it holds for whatever prefix the installation was given. A program
// run from its build tree has no installed README: the source tree's is the one to read there.
std::string ReadmeLocation() {
    namespace fs = std::filesystem;
    const fs::path installed =
        (fs::path(ParamStr(0)).parent_path() / ALARMCLOCK_README_FROM_BINDIR).lexically_normal();
    std::error_code ignored;
    if (!fs::exists(installed, ignored) && fs::exists(ALARMCLOCK_SOURCE_README, ignored))
        return ALARMCLOCK_SOURCE_README;
    return installed.string();
}
