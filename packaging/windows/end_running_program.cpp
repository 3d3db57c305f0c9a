// The uninstaller's custom action that ends the installed program where it runs in the user's session, before
// the installer looks for files in use: asked through its instance window, the program ends as "Exit
// Program" ends it but keeps the user's settings, and the uninstall then removes its file with the rest
// instead of leaving it for a restart. Another copy of the program (a portable one) is left running.
#include <string>

#include "app/program.h"
#include "packaging/windows/action_support.h"
#include "platform/win32/instance_window.h"

namespace {

// The program ends within a moment; one that hangs must not hold the uninstall for long, which then goes on
// and leaves the file in use to the installer.
constexpr DWORD kEndWaitMs = 10000;

std::wstring ImagePath(HANDLE process) {
    std::wstring path(32768, L'\0');
    DWORD size = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process, 0, path.data(), &size)) return {};
    path.resize(size);
    return path;
}

}  // namespace

// Each failure is left as it is: an uninstall must not stop over a program it could not end.
extern "C" __declspec(dllexport) UINT __stdcall EndRunningProgram(MSIHANDLE install) {
    const std::wstring program = PropertyText(install, L"ProgramToEnd");
    const std::string windowName = win32backend::InstanceWindowName(kInstanceName);
    HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, windowName.c_str());
    if (program.empty() || window == nullptr) return ERROR_SUCCESS;
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (process == nullptr) return ERROR_SUCCESS;
    if (SamePath(ImagePath(process), program)) {
        PostMessageA(window, RegisterWindowMessageA(win32backend::kEndMessage.c_str()), 0, 0);
        WaitForSingleObject(process, kEndWaitMs);
    }
    CloseHandle(process);
    return ERROR_SUCCESS;
}
