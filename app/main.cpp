// The alarm clock on a desktop: the settings window and its tray icon until the window closes.
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "app/program.h"
#include "framework/application.h"
#include "platform/api.h"
#include "tray/msg_cmp_list.h"

namespace {

// The toolkit ends the program when it finds no display, before a box could show.
bool DisplayAvailable() {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

// A start that cannot even claim its settings location (a file in its place, no write permission, no home)
// says why on standard error and, when it can, in a box; it ends with status 1.
int StartFailed(const char* why) {
    std::fprintf(stderr, "alarmclock: %s\n", why);
    if (DisplayAvailable()) MessageBoxA(nullptr, why, nullptr, MB_OK | MB_ICONERROR);
    return 1;
}

}  // namespace

int main() {
    qzMsgCmpUnit hooks;  // before the first component, gone after the last window
    auto application = MakeComponent<TApplication>(nullptr);
    // A second start (the login's start-up entry and a start by hand, say) must not arm a second copy of
    // the alarm: the running program shows its window instead.
    try {
        if (!Application->ClaimSingleInstance("alarmclock")) return 0;
    } catch (const std::exception& error) {
        return StartFailed(error.what());
    }
    RunAlarmClock();
    return 0;
}
