#include "platform/win32/tooltips.h"

#include <commctrl.h>

#include <map>

namespace win32backend {

namespace {

HWND TooltipOf(HWND root) {
    static std::map<HWND, HWND> tooltips;
    auto it = tooltips.find(root);
    if (it != tooltips.end() && IsWindow(it->second)) return it->second;
    HWND tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, root, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    tooltips[root] = tooltip;
    return tooltip;
}

}  // namespace

void SetHint(HWND root, HWND window, const std::string& text) {
    HWND tooltip = TooltipOf(root);
    if (tooltip == nullptr) return;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(window) != nullptr ? GetParent(window) : window;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    SendMessageA(tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    if (text.empty()) return;
    tool.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace win32backend
