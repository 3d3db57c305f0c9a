// The shell's "Open" with the failure told in the program's own box: the system's report is asked to stay
// away (SEE_MASK_FLAG_NO_UI), so the user gets one message on every Windows and under Wine.
#include <string>

#include "framework/application.h"
#include "platform/api.h"
#include "platform/shell_error_text.h"
#include "platform/win32/system_error_text.h"

namespace {

// The shell's result tells when nothing opens the file, for which Wine leaves another last error behind;
// otherwise the last error is the reason the file could not be started.
std::string FailureText(const std::string& file, HINSTANCE result, DWORD error) {
    if (reinterpret_cast<INT_PTR>(result) == SE_ERR_NOASSOC || error == ERROR_NO_ASSOCIATION)
        return ShellCannotOpenText(file, win32backend::SystemErrorText(ERROR_NO_ASSOCIATION));
    return ShellCannotRunText(file, win32backend::SystemErrorText(error));
}

// The program's error box, with its title and owned by its window, as its other failures are shown.
void ShowShellError(const std::string& text) {
    if (Application != nullptr) {
        Application->ShowException(text);
    } else {
        MessageBoxFittingA(nullptr, text.c_str(), nullptr, MB_OK | MB_ICONERROR);
    }
}

}  // namespace

HINSTANCE ShellExecuteReportingA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                 INT showCommand) {
    SHELLEXECUTEINFOA request{};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_FLAG_NO_UI;
    request.hwnd = owner;
    request.lpVerb = operation;
    request.lpFile = file;
    request.lpParameters = parameters;
    request.lpDirectory = directory;
    request.nShow = showCommand;
    if (!ShellExecuteExA(&request)) {
        // Read before the box, whose own calls may change it.
        const DWORD error = GetLastError();
        ShowShellError(FailureText(file != nullptr ? file : "", request.hInstApp, error));
    }
    // The same result as ShellExecuteA's: above 32 on success, an SE_ERR_ code otherwise.
    return request.hInstApp;
}
