// The program's message boxes are the system's, with a text cut to what a box on the screen holds: the
// system shows any text whole, in a box taller (or wider) than the screen whose buttons are out of reach,
// and a text of tens of thousands of characters as garbage or not at all.
#include <string>
#include <string_view>
#include <vector>

#include "framework/dialogs.h"
#include "framework/rules/message_text.h"
#include "platform/api.h"
#include "platform/win32/dialog_end.h"
#include "platform/win32/message_boxes.h"

namespace {

// A box as the system lays it out, measured under Wine: the text in the message font, wrapped at about 43
// of its average character widths (260 pixels at 6); above and below it margins, and a row of buttons
// with margins of its own (48 pixels, four lines of that 12-pixel font); beside it margins and the icon (42
// pixels and 32); around it all the frame and the caption. The measure takes more room for them than that,
// and a box that wraps its text wider shows it less tall than measured: erring, it cuts more, never less.
constexpr int kWrapAverageCharacters = 43;
constexpr int kLinesAboveAndBelowText = 6;
constexpr int kLinesBesideText = 4;

// Whether a text fits a message box on the screen where the box shows.
class MessageBoxMeasure {
  public:
    explicit MessageBoxMeasure(HWND owner) {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        font_ = CreateFontIndirectA(&metrics.lfMessageFont);
        previousFont_ = SelectObject(screen_, font_);
        TEXTMETRICA text{};
        GetTextMetricsA(screen_, &text);
        const int line = text.tmHeight + text.tmExternalLeading;
        wrapWidth_ = kWrapAverageCharacters * text.tmAveCharWidth;

        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& work = monitor.rcWork;
        const int padding = GetSystemMetrics(SM_CXPADDEDBORDER);
        roomWidth_ = work.right - work.left - 2 * (GetSystemMetrics(SM_CXFIXEDFRAME) + padding) -
                     GetSystemMetrics(SM_CXICON) - kLinesBesideText * line;
        roomHeight_ = work.bottom - work.top - 2 * (GetSystemMetrics(SM_CYFIXEDFRAME) + padding) -
                      GetSystemMetrics(SM_CYCAPTION) - kLinesAboveAndBelowText * line;
    }
    ~MessageBoxMeasure() {
        SelectObject(screen_, previousFont_);
        ReleaseDC(nullptr, screen_);
        DeleteObject(font_);
    }
    MessageBoxMeasure(const MessageBoxMeasure&) = delete;
    MessageBoxMeasure& operator=(const MessageBoxMeasure&) = delete;

    bool Fits(std::string_view text) const {
        RECT extent{0, 0, wrapWidth_, 0};
        // A word longer than a line is not broken: the text comes out wider.
        DrawTextA(screen_, text.data(), static_cast<int>(text.size()), &extent,
                  DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        return extent.right <= roomWidth_ && extent.bottom <= roomHeight_;
    }

  private:
    HDC screen_ = GetDC(nullptr);
    HFONT font_ = nullptr;
    HGDIOBJ previousFont_ = nullptr;
    int wrapWidth_ = 0;
    int roomWidth_ = 0;
    int roomHeight_ = 0;
};

// A box the program shows: the system's window, once made, and whether the program ended it.
struct OpenBox {
    HWND window = nullptr;
    bool ended = false;
};

// Outermost first.
std::vector<OpenBox>& OpenBoxes() {
    static std::vector<OpenBox> boxes;
    return boxes;
}

HHOOK boxCreationHook = nullptr;

// The system makes the box inside MessageBoxA: its window is the first dialog made meanwhile.
LRESULT CALLBACK NoteBoxWindow(int code, WPARAM wParam, LPARAM lParam) {
    const HHOOK hook = boxCreationHook;
    const auto window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && win32backend::IsSystemDialog(window)) {
        OpenBoxes().back().window = window;
        UnhookWindowsHookEx(hook);
        boxCreationHook = nullptr;
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

// A box counts as open from before its making to its end, however that ends.
class BoxOpening {
  public:
    BoxOpening() {
        OpenBoxes().push_back({});
        if (boxCreationHook != nullptr) UnhookWindowsHookEx(boxCreationHook);
        boxCreationHook = SetWindowsHookExA(WH_CBT, &NoteBoxWindow, nullptr, GetCurrentThreadId());
    }
    ~BoxOpening() {
        if (boxCreationHook != nullptr) UnhookWindowsHookEx(boxCreationHook);
        boxCreationHook = nullptr;
        OpenBoxes().pop_back();
    }
    BoxOpening(const BoxOpening&) = delete;
    BoxOpening& operator=(const BoxOpening&) = delete;

    bool Ended() const { return OpenBoxes().back().ended; }
};

}  // namespace

int MessageBoxFittingA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    const MessageBoxMeasure measure(owner);
    const std::string shown = FittedMessageText(text != nullptr ? text : "",
                                                [&](std::string_view part) { return measure.Fits(part); });
    const BoxOpening box;
    const int answer = MessageBoxA(owner, shown.c_str(), caption, type);
    return box.Ended() ? MessageBoxAnswerAtEnd(type) : answer;
}

namespace win32backend {

std::size_t OpenMessageBoxes() { return OpenBoxes().size(); }

// Ended as at the application's end: its button pressed, so that its loop returns once the caller's
// handler has.
void EndMessageBoxes(std::size_t depth) {
    for (std::size_t box = depth; box <= OpenBoxes().size(); ++box) {
        OpenBox& open = OpenBoxes()[box - 1];
        open.ended = true;
        if (open.window != nullptr) EndAtApplicationEnd(open.window);
    }
}

}  // namespace win32backend
