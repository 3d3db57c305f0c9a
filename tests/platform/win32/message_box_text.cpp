// message_box_text TITLE: prints, in UTF-8, the text of the message box with that title that a program on
// this desktop shows; exits 1 when no such box is shown. The shell tests see the screen through X only,
// which shows a box but not its text.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// The class and the text's control that every message box has.
const char* const kMessageBoxClass = "#32770";
const int kMessageTextId = 0xFFFF;

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr,
                        nullptr);
    return utf8;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: message_box_text TITLE\n", stderr);
        return 2;
    }
    const HWND box = FindWindowA(kMessageBoxClass, argv[1]);
    const HWND text = box != nullptr ? GetDlgItem(box, kMessageTextId) : nullptr;
    if (text == nullptr) {
        std::fprintf(stderr, "message_box_text: no message box \"%s\"\n", argv[1]);
        return 1;
    }
    // Another process's window: its text comes by message, which the system carries across.
    std::wstring message(static_cast<std::size_t>(SendMessageW(text, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    message.resize(static_cast<std::size_t>(
        SendMessageW(text, WM_GETTEXT, message.size(), reinterpret_cast<LPARAM>(message.data()))));
    const std::string utf8 = Utf8(message);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    return 0;
}
