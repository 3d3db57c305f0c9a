// What a screen reader hears a field called on Windows. The system's accessible object names an edit by the
// static text just before it in the z-order (Wine's by the nearest one before it, however far), so a field
// named by a check box, or the second of two fields after one label, would be heard by a wrong name or none.
// A field's window answers WM_GETOBJECT with the system's own object for its client area, whose name alone
// is replaced by the one framework/rules/field_name.h gives: one way that real Windows and Wine both ask
// (Dynamic Annotation, IAccPropServices::SetHwndPropStr, would serve Windows only: Wine 8 answers E_NOTIMPL).
#pragma once

#include <optional>

#include "framework/control.h"
#include "platform/api.h"

namespace win32backend {

// The answer to a WM_GETOBJECT sent to control's window: the named object where the control is a field and
// its client object is asked for, else nothing, for the class's own answer.
std::optional<LRESULT> AnswerAccessibleObject(HWND window, WPARAM wParam, LPARAM lParam,
                                              const TControl& control);

}  // namespace win32backend
