#include "platform/posix/wake/wake_up_helper.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "framework/param_str.h"
#include "platform/posix/shell/process_spawn.h"
#include "platform/posix/wake/wake_protocol.h"

namespace posix {

namespace {

std::string ReadToEnd(int descriptor) {
    std::string text;
    char buffer[512];
    ssize_t count = 0;
    while ((count = read(descriptor, buffer, sizeof buffer)) > 0 || (count < 0 && errno == EINTR))
        if (count > 0) text.append(buffer, static_cast<std::size_t>(count));
    close(descriptor);
    return text;
}

// The helper's last line on its standard error without its name, else how it ended.
std::string WhyEnded(const std::string& program, const std::string& said, int status) {
    std::string line = said.substr(0, said.find_last_not_of('\n') + 1);
    line = line.substr(line.find_last_of('\n') + 1);
    const std::string name = std::string(wake_protocol::kHelperName) + ": ";
    if (line.starts_with(name)) line.erase(0, name.size());
    if (!line.empty()) return line;
    if (WIFSIGNALED(status)) return program + " was ended by signal " + std::to_string(WTERMSIG(status));
    return program + " ended with status " + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : status);
}

}  // namespace

std::string WakeHelperPath() {
    namespace fs = std::filesystem;
    if (const char* named = std::getenv("ALARMCLOCK_WAKE_HELPER"); named != nullptr && *named != '\0')
        return fs::absolute(named).string();  // the helper runs in the root folder
    return (fs::path(ParamStr(0)).parent_path() / wake_protocol::kHelperName).string();
}

WakeUpHelper::WakeUpHelper(std::string program, RefusalHandler refused)
    : program_(std::move(program)), refused_(std::move(refused)) {}

WakeUpHelper::~WakeUpHelper() {
    if (moments_ >= 0) close(moments_);
}

void WakeUpHelper::Hold(std::optional<std::chrono::sys_seconds> moment) {
    std::string line = wake_protocol::MomentLine(
        moment ? std::optional<std::time_t>(moment->time_since_epoch().count()) : std::nullopt);
    // Asked at every alarm check: the helper hears only of a change (a new alarm, a new time zone).
    if (line == lastLine_) return;
    lastLine_ = line;
    if (ending_->bySignal.exchange(false)) {  // it holds nothing now
        close(moments_);
        moments_ = -1;
        started_ = false;
    }
    if (!started_) {
        if (!moment) return;  // nothing held yet, so nothing to release
        Start();
    }
    if (moments_ < 0) return;
    // The helper reads each line as it comes, so the socket's buffer never fills and this never waits; one
    // that has ended has said why, and a line it misses is no news.
    send(moments_, line.data(), line.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
}

void WakeUpHelper::Tell(const std::string& why) const {
    if (!ending_->told.exchange(true)) refused_(why);
}

void WakeUpHelper::Start() {
    started_ = true;
    const auto cannotTalk = [this](int error) {
        Tell("cannot talk to " + program_ + ": " + std::strerror(error));
    };
    int moments[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, moments) != 0) return cannotTalk(errno);
    int errors[2];
    if (pipe2(errors, O_CLOEXEC) != 0) {
        const int error = errno;
        close(moments[0]);
        close(moments[1]);
        return cannotTalk(error);
    }
    // A helper that refuses says so on its standard error and ends; it writes only a line or two, so it
    // never waits on the pipe before it has ended.
    const int error =
        Spawn(program_, {program_}, "/",
              [program = program_, refused = refused_, ending = ending_, said = errors[0]](int status) {
                  const std::string text = ReadToEnd(said);
                  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return;  // released at our end
                  std::string why = WhyEnded(program, text, status);
                  if (WIFSIGNALED(status)) {
                      why += "; it is started again at the alarm's next change";
                      ending->bySignal = true;
                  }
                  if (!ending->told.exchange(true)) refused(why);
              },
              {moments[1], errors[1]});
    close(moments[1]);
    close(errors[1]);
    if (error != 0) {
        close(moments[0]);
        close(errors[0]);
        Tell("cannot start " + program_ + ": " + std::strerror(error));
        return;
    }
    moments_ = moments[0];
}

}  // namespace posix
