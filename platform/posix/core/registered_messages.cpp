// Registered window messages: one number per name for the life of the process, as Windows hands them out
// (there, for the session). Nothing outside the process broadcasts them here; a back end or a test sends
// one to the windows that should hear it.
#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <string>

#include "platform/api.h"

namespace {

constexpr UINT kFirstRegisteredMessage = 0xC000;
constexpr UINT kLastRegisteredMessage = 0xFFFF;

struct RegisteredMessages {
    std::mutex mutex;
    std::map<std::string, UINT> numbers;  // by name in ASCII lower case
};

RegisteredMessages& Messages() {
    static auto* messages = new RegisteredMessages;
    return *messages;
}

}  // namespace

UINT WINAPI RegisterWindowMessageA(LPCSTR name) {
    if (name == nullptr || *name == '\0') return 0;
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return c < 0x80 ? std::tolower(c) : c; });
    RegisteredMessages& messages = Messages();
    const std::lock_guard lock(messages.mutex);
    if (const auto found = messages.numbers.find(folded); found != messages.numbers.end()) return found->second;
    const auto next = static_cast<UINT>(kFirstRegisteredMessage + messages.numbers.size());
    if (next > kLastRegisteredMessage) return 0;  // the range is used up
    messages.numbers.emplace(folded, next);
    return next;
}
