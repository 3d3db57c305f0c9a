// The message loop: GetMessage, IsDialogMessage for the forms (tab chain, access keys), TranslateMessage,
// DispatchMessage. A modal wait is a nested run of the same loop.
#pragma once

#include <functional>
#include <vector>

#include "platform/api.h"

namespace win32backend {

// Dispatches messages until done() holds, checked after each; WM_QUIT ends it and is posted again for the
// outer loops.
void RunUntil(const std::function<bool()>& done);
// Dispatches what is waiting, without waiting.
void ProcessPending();

// While it exists, the program's windows are disabled, as a system's box disables the window that owns it;
// they are enabled again after. The modal windows opened meanwhile (enabled, since they come after it)
// stay in front of the program's other windows.
class ModalScope {
  public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

    // A window of the program shown or brought to the front: while a scope is open it is disabled too, and
    // the modal windows come back in front of it.
    static void Showing(HWND window);

  private:
    std::vector<HWND> disabled_;
    ModalScope* outer_;
};

}  // namespace win32backend
