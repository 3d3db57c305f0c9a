// The Win32 shell functions on a headless desktop: recorded, never shown.
#include <algorithm>
#include <cstdint>

#include "platform/headless/desktop.h"
#include "resources/embedded_icons.h"

namespace {

std::string TextOrEmpty(LPCSTR text) { return text != nullptr ? text : ""; }

}  // namespace

BOOL WINAPI Shell_NotifyIconA(DWORD message, PNOTIFYICONDATAA data) {
    headless::Desktop::Instance().Shell().notifyIconCalls.push_back({message, *data});
    return TRUE;
}

// Each embedded icon has a stable handle: its position in the table, offset so that none is null.
HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
    if (instance != GetModuleHandleA(nullptr) || name == nullptr) return nullptr;
    const EmbeddedIcon* icon = FindEmbeddedIcon(name);
    if (icon == nullptr) return nullptr;
    const auto index = static_cast<std::uintptr_t>(icon - EmbeddedIcons().data());
    return reinterpret_cast<HICON>(0x1000 + 4 * index);
}

BOOL WINAPI GetCursorPos(POINT* point) {
    *point = headless::Desktop::Instance().Shell().cursor;
    return TRUE;
}

BOOL WINAPI SetForegroundWindow(HWND window) {
    headless::Desktop::Instance().Shell().foregroundWindows.push_back(window);
    return TRUE;
}

HINSTANCE WINAPI ShellExecuteA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                               int showCommand) {
    headless::Desktop::Instance().Shell().executed.push_back({owner, TextOrEmpty(operation), TextOrEmpty(file),
                                                              TextOrEmpty(parameters), TextOrEmpty(directory),
                                                              directory == nullptr, showCommand});
    // Greater than 32: success, as Win32 reports it.
    return reinterpret_cast<HINSTANCE>(std::uintptr_t{42});
}
