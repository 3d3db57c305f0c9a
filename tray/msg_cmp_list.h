// The process-wide list of window hooks: one record per attachment of a component to a window, appended
// and never removed while the list exists, and the one window procedure that every hooked window gets.
#pragma once

#include "framework/list.h"
#include "platform/api.h"

class TqzMsgComponent;

struct HookRecord {
    TqzMsgComponent* HookedComponent;  // null once the component detached
    HWND HookedWindow;
    WNDPROC PreviousWndProc;  // where this window's messages go after the components saw them
};

class TMsgCmpList : public TList {
  public:
    ~TMsgCmpList() override;

    // Appends a record (installing the hook on the window's first attachment); returns its index.
    int AddRecord(TqzMsgComponent* component, HWND window);
    // Clears the component of the first record for it and window; returns its index, or -1.
    int ClearRecord(TqzMsgComponent* component, HWND window);
    // The lowest index above after whose record is for window, or -1; -1 as after searches from the start.
    int NextRecordFor(int after, HWND window) const;
    HookRecord* Record(int index) const { return static_cast<HookRecord*>(Items(index)); }
};

// Exists from the unit's initialisation to its finalisation (see qzMsgCmpUnit); null outside that time.
extern TMsgCmpList* MsgCmpList;

// Hands each message to every live component attached to the window, oldest attachment first, then to the
// window's previous procedure, whose result it returns.
LRESULT CALLBACK HookWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The unit's initialisation and finalisation as one scope: the program creates it before its first
// component and lets it go after its last window, so the list outlives everything that uses it.
class qzMsgCmpUnit {
  public:
    qzMsgCmpUnit();
    ~qzMsgCmpUnit();
    qzMsgCmpUnit(const qzMsgCmpUnit&) = delete;
    qzMsgCmpUnit& operator=(const qzMsgCmpUnit&) = delete;
};
