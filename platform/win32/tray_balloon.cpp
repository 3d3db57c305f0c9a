#include "platform/win32/tray_balloon.h"

#include <shellapi.h>

#include <cstring>

#include "framework/rules/marked_cut.h"

namespace win32backend {

namespace {

// The text cut to the field, as every text the program shortens is.
template <std::size_t N>
void CopyCut(char (&field)[N], const std::string& text) {
    const std::string fitting = text.size() < N ? text : MarkedCut(text, N - 1 - kCutMark.size());
    std::memcpy(field, fitting.data(), fitting.size());
    field[fitting.size()] = '\0';
}

NOTIFYICONDATAA BalloonOf(HWND window, UINT id) {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;  // the version with balloons, whatever size the icon was added with
    data.hWnd = window;
    data.uID = id;
    data.uFlags = NIF_INFO;
    return data;
}

}  // namespace

// A balloon shows only with a text: an alarm without a message says the program's name there.
bool ShowTrayBalloon(const widgetset::AlarmNotice& notice) {
    NOTIFYICONDATAA data = BalloonOf(notice.window, notice.id);
    if (notice.text.empty()) {
        CopyCut(data.szInfo, notice.title);
    } else {
        CopyCut(data.szInfoTitle, notice.title);
        CopyCut(data.szInfo, notice.text);
    }
    data.dwInfoFlags = NIIF_INFO;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

void CloseTrayBalloon(HWND window, UINT id) {
    NOTIFYICONDATAA data = BalloonOf(window, id);  // an empty text takes the balloon away
    Shell_NotifyIconA(NIM_MODIFY, &data);
}

}  // namespace win32backend
