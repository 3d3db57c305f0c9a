#include "platform/win32/instance_claim.h"

#include <cstdlib>
#include <stdexcept>
#include <utility>

#include "platform/win32/instance_window.h"
#include "platform/win32/window_classes.h"

namespace win32backend {

namespace {

UINT KnockMessage() {
    static const UINT message = RegisterWindowMessageA(kAnotherStartMessage.c_str());
    return message;
}

UINT EndMessage() {
    static const UINT message = RegisterWindowMessageA(kEndMessage.c_str());
    return message;
}

// The first start creates its window just after its mutex: a second start in between waits for it.
void Knock(const std::string& windowName) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        HWND window = FindWindowExA(HWND_MESSAGE, nullptr, HiddenWindowClass(), windowName.c_str());
        if (window != nullptr) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            // The running program may then bring its window to the front.
            AllowSetForegroundWindow(process);
            PostMessageA(window, KnockMessage(), 0, 0);
            return;
        }
        Sleep(100);
    }
}

// How long a start with a command waits for the answer: the holder may be in a 10-second registry wait.
constexpr UINT kAnswerMs = 30000;

// Text carried by WM_COPYDATA, sent from the window `from`.
LRESULT SendText(HWND to, HWND from, const std::string& text, DWORD_PTR* result) {
    COPYDATASTRUCT data{0, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
    return SendMessageTimeoutA(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG, kAnswerMs, result);
}

std::string TextOf(LPARAM copyData) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(copyData);
    return std::string(static_cast<const char*>(data->lpData), data->cbData);
}

}  // namespace

std::optional<widgetset::InstanceAnswer> InstanceClaim::Ask(const std::string& name,
                                                            const std::string& command) {
    const HWND holder =
        FindWindowExA(HWND_MESSAGE, nullptr, HiddenWindowClass(), InstanceWindowName(name).c_str());
    if (holder == nullptr) return std::nullopt;
    std::optional<std::string> reply;
    // The holder's answer arrives while this thread waits in SendMessageTimeoutA, which takes sent messages.
    const HiddenWindow replies([&reply](UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message != WM_COPYDATA) return std::nullopt;
        reply = TextOf(lParam);
        return TRUE;
    });
    DWORD_PTR result = 0;
    if (SendText(holder, replies.Handle(), command, &result) == 0 || !reply)
        throw std::runtime_error("the running program gave no answer");
    const std::size_t lineEnd = reply->find('\n');
    if (lineEnd == std::string::npos) throw std::runtime_error("the running program gave no answer");
    return widgetset::InstanceAnswer{std::atoi(reply->substr(0, lineEnd).c_str()), reply->substr(lineEnd + 1)};
}

std::unique_ptr<InstanceClaim> InstanceClaim::Claim(const std::string& name,
                                                    widgetset::InstanceRequests requests,
                                                    std::function<void()> endRequested) {
    // Local: one per user session.
    const std::string mutexName = "Local\\" + name + ".instance";
    const std::string windowName = InstanceWindowName(name);
    Mutex mutex(CreateMutexA(nullptr, FALSE, mutexName.c_str()));
    if (!mutex) {
        throw std::runtime_error("Cannot make the mutex " + mutexName +
                                 " that keeps a second start away (error " + std::to_string(GetLastError()) +
                                 ")");
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        Knock(windowName);
        return nullptr;
    }
    return std::unique_ptr<InstanceClaim>(
        new InstanceClaim(std::move(mutex), windowName, std::move(requests), std::move(endRequested)));
}

InstanceClaim::InstanceClaim(Mutex mutex, const std::string& windowName, widgetset::InstanceRequests requests,
                             std::function<void()> endRequested)
    : mutex_(std::move(mutex)),
      window_(
          [requests = std::move(requests), endRequested = std::move(endRequested)](
              UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
              if (message == KnockMessage()) {
                  requests({});
              } else if (message == WM_COPYDATA) {
                  const widgetset::InstanceAnswer answer = requests(TextOf(lParam));
                  DWORD_PTR result = 0;
                  SendText(reinterpret_cast<HWND>(wParam), nullptr,
                           std::to_string(answer.status) + "\n" + answer.text, &result);
                  return TRUE;
              } else if (message == EndMessage()) {
                  endRequested();
              } else {
                  return std::nullopt;
              }
              return 0;
          },
          windowName) {}

}  // namespace win32backend
