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

// While it exists, the program's other windows are disabled, as the system's own message boxes do it;
// they are enabled again after.
class ModalScope {
  public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

  private:
    std::vector<HWND> disabled_;
};

}  // namespace win32backend
