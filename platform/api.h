// The platform seam: the Win32 subset that the program and the framework call, with Win32's names, types
// and record layouts. On Windows it is the real API; elsewhere our own implementation stands behind it.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#else
#include "platform/posix/core/win32_api.h"
#endif

#ifdef _WIN32
// The registry's units of writes and holds of reads, as declared in platform/posix/win32_api.h; on Windows the
// back end's, which only count.
LSTATUS BeginRegistryWrites();
LSTATUS EndRegistryWrites(BOOL keep);
LSTATUS BeginRegistryReads();
LSTATUS EndRegistryReads();
#endif

// The first version of the notification-area record, which every Windows version accepts: 88 bytes on
// 32-bit Windows. Outside Windows it is the seam's own NOTIFYICONDATAA.
struct NOTIFYICONDATA_V1A {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[64];
};

// Gives window a new window procedure and returns the one it had. Typed, so that the compiler checks the
// procedure's calling convention (CALLBACK is stdcall on 32-bit Windows), which a cast through LONG_PTR
// would hide.
inline WNDPROC ReplaceWindowProc(HWND window, WNDPROC procedure) {
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

inline BOOL Shell_NotifyIconV1A(DWORD message, NOTIFYICONDATA_V1A* data) {
#ifdef _WIN32
    // The later versions only add members at the end; cbSize tells the system which one it is given.
    return Shell_NotifyIconA(message, reinterpret_cast<PNOTIFYICONDATAA>(data));
#else
    return Shell_NotifyIconA(message, data);
#endif
}

// The shell's "Open" as the program calls it: a failure is told to the user in an error box with the
// application's title that names the file and the system's reason. Not every Windows shows such a report
// for ShellExecuteA (Wine shows none), so on Windows the back end shows the box itself; elsewhere the
// seam's ShellExecuteA does.
#ifdef _WIN32
HINSTANCE ShellExecuteReportingA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                 INT showCommand);
#else
inline HINSTANCE ShellExecuteReportingA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                        LPCSTR directory, INT showCommand) {
    return ShellExecuteA(owner, operation, file, parameters, directory, showCommand);
}
#endif

// A message box as the program shows one: a text longer than a box on the screen holds is cut to what fits,
// and the cut marked (framework/message_text.h). The system's box shows any text whole, running off the
// screen, so on Windows the back end cuts the text before it; elsewhere the seam's MessageBoxA does.
#ifdef _WIN32
int MessageBoxFittingA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
#else
inline int MessageBoxFittingA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    return MessageBoxA(owner, text, caption, type);
}
#endif

// Standard output and error where the user who started the program sees them. A Windows program of the
// GUI subsystem has none: it writes to the console of the program that started it, when there is one (a
// command prompt's); elsewhere they are the process's own already.
#ifdef _WIN32
void UseParentConsole();
#else
inline void UseParentConsole() {}
#endif
