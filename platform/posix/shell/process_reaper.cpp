#include "platform/posix/shell/process_reaper.h"

#include <sys/wait.h>

#include <cerrno>
#include <thread>

namespace posix {

void Reap(pid_t pid, ExitHandler exited) {
    std::thread([pid, exited = std::move(exited)] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0) {
            if (errno != EINTR) {
                status = -1;
                break;
            }
        }
        if (exited) exited(status);
    }).detach();
}

}  // namespace posix
