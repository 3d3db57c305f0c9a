#include "framework/win_control.h"

#include <algorithm>
#include <map>
#include <string>

#include "framework/error_reporting.h"
#include "framework/exceptions.h"

namespace {

// Windows of live controls; a window procedure finds its control here.
std::map<HWND, TWinControl*>& WindowTable() {
    static std::map<HWND, TWinControl*> table;
    return table;
}

}  // namespace

const ClassInfo TWinControl::Class{.name = "TWinControl", .parent = &TControl::Class};

TWinControl::~TWinControl() {
    // Children that outlive their parent (owned elsewhere) keep no dangling parent.
    for (TControl* control : controls_) control->parent_ = nullptr;
    if (handle_ != nullptr) WindowTable().erase(handle_);
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount()) {
        throw EListError("Control index out of bounds (" + std::to_string(index) + ")");
    }
    return controls_[static_cast<std::size_t>(index)];
}

void TWinControl::GetChildren(std::vector<TComponent*>& children, const TComponent* root) const {
    for (TControl* control : controls_) {
        if (control->Owner() == root) children.push_back(control);
    }
    TControl::GetChildren(children, root);
}

HWND TWinControl::Handle() {
    if (handle_ == nullptr) {
        handle_ = Peer().Handle();
        WindowTable()[handle_] = this;
    }
    return handle_;
}

TWinControl* TWinControl::FindControl(HWND window) {
    auto it = WindowTable().find(window);
    return it == WindowTable().end() ? nullptr : it->second;
}

void TWinControl::DefaultHandler(TMessage& message) {
    message.Result = HasPeer() ? Peer().DefaultHandling(handle_, message.Msg, message.WParam, message.LParam)
                               : DefWindowProcA(handle_, message.Msg, message.WParam, message.LParam);
}

void TWinControl::InsertControl(TControl* control) { controls_.push_back(control); }

void TWinControl::RemoveControl(TControl* control) { std::erase(controls_, control); }

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = TWinControl::FindControl(window);
    if (control == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    TMessage record{message, wParam, lParam, 0};
    ReportErrors([&] { control->WindowProc(record); });
    return record.Result;
}
