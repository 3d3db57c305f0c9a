#include "platform/win32/window_classes.h"

#include "platform/api.h"

namespace win32backend {

namespace {

const char* Registered(const char* name, UINT style, HBRUSH background, HICON icon) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = &DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.hIcon = icon;
    windowClass.lpszClassName = name;
    RegisterClassExA(&windowClass);
    return name;
}

HBRUSH FaceBrush() { return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)); }

}  // namespace

const char* FormWindowClass() {
    static const char* name =
        Registered("AlarmClockForm", CS_DBLCLKS, FaceBrush(), LoadIconA(GetModuleHandleA(nullptr), "MAINICON"));
    return name;
}

const char* PlainWindowClass() {
    static const char* name = Registered("AlarmClockPlain", 0, FaceBrush(), nullptr);
    return name;
}

const char* HiddenWindowClass() {
    static const char* name = Registered("AlarmClockHidden", 0, nullptr, nullptr);
    return name;
}

}  // namespace win32backend
