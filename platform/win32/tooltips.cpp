#include "platform/win32/tooltips.h"

#include <commctrl.h>

namespace win32backend {

namespace {

// The root's tooltip is named in a property of the root and owned by it: both go with the root's window.
constexpr const char* kTooltipProperty = "alarmclock.tooltip";

HWND TooltipOf(HWND root) {
    if (HWND tooltip = static_cast<HWND>(GetPropA(root, kTooltipProperty))) return tooltip;
    HWND tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, root, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    if (tooltip != nullptr) SetPropA(root, kTooltipProperty, tooltip);
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
