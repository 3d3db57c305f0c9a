#include "platform/qt/event_loop.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <cerrno>
#include <string>
#include <vector>

#include "framework/application.h"
#include "platform/posix/core/window_table.h"
#include "platform/posix/shell/shell_error_box.h"
#include "platform/qt/accessible_roles.h"
#include "platform/qt/icon_cache.h"
#include "platform/qt/interface_wait.h"

namespace qtbackend {

namespace {

// Read with the system's calls: a C++ file stream would set up the library's locales at every start, for
// nothing else.
std::string ReadCommandLine() {
    std::string all;
    const int file = open("/proc/self/cmdline", O_RDONLY | O_CLOEXEC);
    if (file < 0) return all;
    char buffer[4096];
    for (ssize_t count; (count = read(file, buffer, sizeof buffer)) != 0;) {
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) break;
        all.append(buffer, static_cast<std::size_t>(count));
    }
    close(file);
    return all;
}

// QApplication keeps argc and argv by reference: both live as long as the program.
struct CommandLine {
    std::vector<std::string> arguments;
    std::vector<char*> pointers;
    int count = 0;

    CommandLine() {
        const std::string all = ReadCommandLine();
        for (std::size_t start = 0; start < all.size();) {
            const std::size_t end = all.find('\0', start);
            arguments.push_back(all.substr(start, end - start));
            start = end == std::string::npos ? all.size() : end + 1;
        }
        if (arguments.empty()) arguments.emplace_back("alarmclock");
        for (std::string& argument : arguments) pointers.push_back(argument.data());
        pointers.push_back(nullptr);
        count = static_cast<int>(arguments.size());
    }
};

void DispatchPosted() { RunOrHold(&posix::DispatchPostedMessages); }

}  // namespace

void EnsureApplication() {
    if (QApplication::instance() != nullptr) return;
    static auto* commandLine = new CommandLine;
    new QApplication(commandLine->count, commandLine->pointers.data());
    // The program ends when its main form closes, not when its last window does: it lives in the tray.
    QApplication::setQuitOnLastWindowClosed(false);
    // The icon of every window without its own, the message boxes' among them: the program's own.
    QApplication::setWindowIcon(IconNamed("MAINICON"));
    InstallAccessibleRoles();
    KeepInterfaceAliveInRegistryWaits();
    posix::SetPostedMessageWakeup(
        [] { QMetaObject::invokeMethod(QCoreApplication::instance(), &DispatchPosted, Qt::QueuedConnection); });
    // The shell's error boxes carry the program's title, as its own boxes do.
    posix::SetShellErrorCaption([] { return Application != nullptr ? Application->Title() : std::string(); });
    if (posix::HasPostedMessages()) DispatchPosted();
}

void RunUntil(const std::function<bool()>& done) {
    EnsureApplication();
    while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace qtbackend
