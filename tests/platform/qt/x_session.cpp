#include "tests/platform/qt/x_session.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

// Starts program with its output going to log (or nowhere), keeping only keepFd open besides, and makes
// it end with this process.
pid_t Spawn(std::vector<std::string> arguments, int keepFd = -1, const std::string& log = "/dev/null") {
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid > 0) return pid;
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    const int output = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(output, STDOUT_FILENO);
    dup2(output, STDERR_FILENO);
    for (int fd = 3; fd < 256; ++fd) {
        if (fd != keepFd) close(fd);
    }
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

void Stop(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

std::string TrayLog() { return "/tmp/alarmclock-trayer-" + std::to_string(getpid()) + ".log"; }

// True once the tray selection of screen 0 has an owner.
bool TrayHostRunning() {
    return std::system(
               "xprop -root _NET_SYSTEM_TRAY_S0 >/dev/null 2>&1 && "
               "xdotool search --classname trayer >/dev/null 2>&1") == 0;
}

// Starts Xvfb on the display given, and returns its process once it accepts clients, or -1 when it could
// not start there (the display is taken).
pid_t StartServer(int display) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
    // Xvfb writes the display's number to the descriptor once it is ready.
    const pid_t server = Spawn({"Xvfb", ":" + std::to_string(display), "-displayfd", std::to_string(pipeFds[1]),
                                "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-dpi", "96"},
                               pipeFds[1]);
    close(pipeFds[1]);
    // The whole line: Xvfb fails if the pipe closes before it has written the newline.
    std::string number;
    char c;
    while (read(pipeFds[0], &c, 1) == 1 && c != '\n') number += c;
    close(pipeFds[0]);
    const bool ready = !number.empty();
    if (ready) return server;
    Stop(server);
    return -1;
}

}  // namespace

XSession::XSession() {
    // A display of this process's own: letting parallel servers pick a free one races (one may remove the
    // other's socket).
    for (int attempt = 0; attempt < 20 && server_ < 0; ++attempt) {
        const int display = 100 + (getpid() + attempt * 37) % 800;
        server_ = StartServer(display);
        display_ = ":" + std::to_string(display);
    }
    if (server_ < 0) throw std::runtime_error("Xvfb did not start (is the xvfb package installed?)");
    setenv("DISPLAY", display_.c_str(), 1);
    // Qt would look for a D-Bus notification host first; the tests want the X11 one.
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    unsetenv("QT_QPA_PLATFORMTHEME");
    // trayer now and then fails to open a display that has just started: it is started again then.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!TrayHostRunning()) {
        if (std::chrono::steady_clock::now() > deadline) {
            throw std::runtime_error("trayer did not start; its output is in " + TrayLog());
        }
        if (tray_ < 0 || waitpid(tray_, nullptr, WNOHANG) == tray_) {
            tray_ = Spawn(
                {"trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel", "--width", "120",
                 "--heighttype", "pixel", "--height", "32", "--transparent", "false", "--tint", "0x404040"},
                -1, TrayLog());
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

XSession::~XSession() {
    Stop(tray_);
    unlink(TrayLog().c_str());
    Stop(server_);
}
