// The Win32 shell functions on a Qt desktop: the notification area, icons, the cursor and the foreground.
#include <QCursor>

#include "platform/api.h"
#include "platform/qt/event_loop.h"
#include "platform/qt/icon_cache.h"
#include "platform/qt/modal_wait.h"
#include "platform/qt/tray_icons.h"

BOOL WINAPI Shell_NotifyIconA(DWORD message, PNOTIFYICONDATAA data) {
    return data != nullptr ? qtbackend::TrayIcons::Instance().Notify(message, *data) : FALSE;
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
    if (instance != GetModuleHandleA(nullptr) || name == nullptr) return nullptr;
    return qtbackend::IconHandle(name);
}

BOOL WINAPI GetCursorPos(POINT* point) {
    qtbackend::EnsureApplication();
    const QPoint position = QCursor::pos();
    *point = {position.x(), position.y()};
    return TRUE;
}

// A window disabled under a modal box stays behind it.
BOOL WINAPI SetForegroundWindow(HWND window) {
    QWidget* widget = qtbackend::VisibleWindowOf(window);
    if (widget != nullptr && widget->isEnabled()) {
        widget->raise();
        widget->activateWindow();
    }
    return TRUE;
}
