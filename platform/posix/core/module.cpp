// The program's own module: its handle and its executable's path.
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/posix/core/win32_api.h"

namespace {

// Any fixed non-null value serves: resources are looked up by name only.
const auto kModuleHandle = reinterpret_cast<HMODULE>(std::uintptr_t{0x400000});

std::string ExecutablePath() {
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    path.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return path;
}

}  // namespace

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) { return moduleName == nullptr ? kModuleHandle : nullptr; }

// As on Windows: the path cut to size - 1 characters when the buffer is short, always terminated, and the
// number of characters copied.
DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size) {
    if ((module != nullptr && module != kModuleHandle) || size == 0) return 0;
    const std::string path = ExecutablePath();
    const std::size_t copied = std::min<std::size_t>(path.size(), size - 1);
    std::memcpy(fileName, path.data(), copied);
    fileName[copied] = '\0';
    return path.size() >= size ? size : static_cast<DWORD>(copied);
}
