#include "tests/platform/qt/x_session.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

XSession::XSession() {
    int input[2];
    int output[2];
    if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    desktop_ = fork();
    if (desktop_ < 0) throw std::runtime_error("fork failed");
    if (desktop_ == 0) {
        dup2(input[0], STDIN_FILENO);
        dup2(output[1], STDOUT_FILENO);
        execl(VIRTUAL_DESKTOP_SCRIPT, VIRTUAL_DESKTOP_SCRIPT, "--tray", "trayer", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(input[0]);
    close(output[1]);
    hold_ = input[1];
    // The display's name once everything is up, then the end of the output.
    char c;
    while (read(output[0], &c, 1) == 1 && c != '\n') display_ += c;
    close(output[0]);
    if (display_.empty()) {
        close(hold_);
        waitpid(desktop_, nullptr, 0);
        throw std::runtime_error("the virtual desktop did not start; " VIRTUAL_DESKTOP_SCRIPT
                                 " said why above");
    }
    setenv("DISPLAY", display_.c_str(), 1);
    // Qt would look for a D-Bus notification host first; the tests want the X11 one.
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    unsetenv("QT_QPA_PLATFORMTHEME");
}

XSession::~XSession() {
    close(hold_);
    waitpid(desktop_, nullptr, 0);
}
