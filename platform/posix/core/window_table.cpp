#include "platform/posix/core/window_table.h"

#include <deque>
#include <map>
#include <mutex>

namespace {

struct PostedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Messages may be posted from any thread; everything else happens on the interface thread. The lock is
// never held while a procedure or the wakeup runs, since those may post in turn.
struct WindowTable {
    std::mutex mutex;
    std::map<HWND, WNDPROC> procedures;
    std::uintptr_t lastHandle = 0;
    std::deque<PostedMessage> posted;
    std::function<void()> wakeup;
};

// Created on first use and never destroyed, so windows may be used from other objects' destructors.
WindowTable& Table() {
    static auto* table = new WindowTable;
    return *table;
}

WNDPROC ProcedureOf(HWND window) {
    std::lock_guard lock(Table().mutex);
    auto it = Table().procedures.find(window);
    return it == Table().procedures.end() ? nullptr : it->second;
}

}  // namespace

namespace posix {

HWND CreateWindowHandle(WNDPROC procedure) {
    std::lock_guard lock(Table().mutex);
    // Handles count up from a multiple of four, like Win32's, and are never reused.
    Table().lastHandle += 4;
    auto window = reinterpret_cast<HWND>(Table().lastHandle + 0x10000);
    Table().procedures[window] = procedure;
    return window;
}

int DispatchPostedMessages() {
    std::deque<PostedMessage> batch;
    {
        std::lock_guard lock(Table().mutex);
        batch.swap(Table().posted);
    }
    int count = 0;
    for (const PostedMessage& m : batch) {
        if (WNDPROC procedure = ProcedureOf(m.window)) procedure(m.window, m.message, m.wParam, m.lParam);
        ++count;
    }
    return count;
}

bool HasPostedMessages() {
    std::lock_guard lock(Table().mutex);
    return !Table().posted.empty();
}

void SetPostedMessageWakeup(std::function<void()> wakeup) {
    std::lock_guard lock(Table().mutex);
    Table().wakeup = std::move(wakeup);
}

}  // namespace posix

LONG_PTR WINAPI GetWindowLongPtrA(HWND window, int index) {
    if (index != GWLP_WNDPROC) return 0;
    return reinterpret_cast<LONG_PTR>(ProcedureOf(window));
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND window, int index, LONG_PTR value) {
    std::lock_guard lock(Table().mutex);
    auto it = Table().procedures.find(window);
    if (index != GWLP_WNDPROC || it == Table().procedures.end()) return 0;
    const auto previous = reinterpret_cast<LONG_PTR>(it->second);
    it->second = reinterpret_cast<WNDPROC>(value);
    return previous;
}

LRESULT WINAPI CallWindowProcA(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return procedure == nullptr ? 0 : procedure(window, message, wParam, lParam);
}

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC procedure = ProcedureOf(window);
    return procedure == nullptr ? 0 : procedure(window, message, wParam, lParam);
}

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    std::function<void()> wakeup;
    {
        std::lock_guard lock(Table().mutex);
        if (!Table().procedures.contains(window)) return FALSE;
        Table().posted.push_back({window, message, wParam, lParam});
        wakeup = Table().wakeup;
    }
    if (wakeup) wakeup();
    return TRUE;
}

BOOL WINAPI IsWindow(HWND window) { return ProcedureOf(window) != nullptr ? TRUE : FALSE; }

BOOL WINAPI DestroyWindow(HWND window) {
    std::lock_guard lock(Table().mutex);
    return Table().procedures.erase(window) != 0 ? TRUE : FALSE;
}

LRESULT WINAPI DefWindowProcA(HWND, UINT, WPARAM, LPARAM) { return 0; }
