// The wake-up of the Linux desktop, held by a helper program of our own (tools/wake): only it has the
// capability to set a timer that wakes the computer, so the program itself runs without privileges.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace posix {

// The helper named by ALARMCLOCK_WAKE_HELPER when that is set, else the one beside the running program,
// where both the installation and the build tree put it.
std::string WakeHelperPath();

// Started at the first moment held, in the root folder, the helper reads every change on its standard input, a
// socket of ours, and ends when this object or this process ends, which releases the wake-up. A helper ended
// by a signal (killed, crashed) is started again at the next moment held. Nothing here waits for the helper.
class WakeUpHelper {
  public:
    // Told at most once, on a thread of its own, why no wake-up is held: the helper could not start, it
    // ended refusing (saying why on its standard error, or by its exit), or a signal ended it.
    using RefusalHandler = std::function<void(const std::string& why)>;

    WakeUpHelper(std::string program, RefusalHandler refused);
    ~WakeUpHelper();
    WakeUpHelper(const WakeUpHelper&) = delete;
    WakeUpHelper& operator=(const WakeUpHelper&) = delete;

    // None releases the wake-up.
    void Hold(std::optional<std::chrono::sys_seconds> moment);

  private:
    // What the helper's reaping thread tells this object.
    struct Ending {
        std::atomic<bool> bySignal{false};
        std::atomic<bool> told{false};
    };

    void Start();
    void Tell(const std::string& why) const;

    std::string program_;
    RefusalHandler refused_;
    std::shared_ptr<Ending> ending_ = std::make_shared<Ending>();
    bool started_ = false;
    int moments_ = -1;  // our end of the helper's standard input, while it runs
    std::string lastLine_;
};

}  // namespace posix
