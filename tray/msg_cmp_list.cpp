#include "tray/msg_cmp_list.h"

#include "framework/error_reporting.h"
#include "framework/exceptions.h"
#include "tray/qz_msg_component.h"

TMsgCmpList* MsgCmpList = nullptr;

qzMsgCmpUnit::qzMsgCmpUnit() {
    if (MsgCmpList != nullptr) throw Exception("The window hook list exists already");
    MsgCmpList = new TMsgCmpList;
}

qzMsgCmpUnit::~qzMsgCmpUnit() {
    delete MsgCmpList;
    MsgCmpList = nullptr;
}

// Nothing reads the records once the list goes, so they go with it.
TMsgCmpList::~TMsgCmpList() {
    for (int i = 0; i < Count(); ++i) delete Record(i);
}

int TMsgCmpList::AddRecord(TqzMsgComponent* component, HWND window) {
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    int first = NextRecordFor(-1, window);
    // Someone replaced the hook since: chain to their procedure and hook again on top of it.
    if (first != -1 && current != &HookWindowProc) first = -1;
    auto* record = new HookRecord{component, window, first == -1 ? current : Record(first)->PreviousWndProc};
    const int index = Add(record);
    if (first == -1) ReplaceWindowProc(window, &HookWindowProc);
    return index;
}

int TMsgCmpList::ClearRecord(TqzMsgComponent* component, HWND window) {
    for (int i = 0; i < Count(); ++i) {
        HookRecord* record = Record(i);
        if (record->HookedComponent == component && record->HookedWindow == window) {
            record->HookedComponent = nullptr;
            return i;
        }
    }
    return -1;
}

int TMsgCmpList::NextRecordFor(int after, HWND window) const {
    for (int i = after + 1; i < Count(); ++i) {
        if (Record(i)->HookedWindow == window) return i;
    }
    return -1;
}

LRESULT CALLBACK HookWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (MsgCmpList == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    const HookRecord* last = nullptr;
    // The scan goes on from the current index, so a record appended by a handler is reached in this pass.
    for (int index = MsgCmpList->NextRecordFor(-1, window); index != -1;
         index = MsgCmpList->NextRecordFor(index, window)) {
        last = MsgCmpList->Record(index);
        TqzMsgComponent* component = last->HookedComponent;
        if (component == nullptr || component->IsDestroying()) continue;
        TMessage record{message, wParam, lParam, result};
        // A window message is a dispatch point: no error may escape into the system's message loop.
        ReportErrors([&] { component->Dispatch(record); });
        result = record.Result;
    }
    if (last != nullptr) result = CallWindowProcA(last->PreviousWndProc, window, message, wParam, lParam);
    return result;
}
