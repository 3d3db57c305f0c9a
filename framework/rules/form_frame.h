// How a form's window is framed and placed, from the layout's BorderStyle, BorderIcons, size and Position:
// decided once here, and each desktop back end draws it its own way.
#pragma once

#include "framework/form.h"

// Where a form's window first shows.
enum class FormPlace {
    Designed,       // at Left and Top (poDesigned, poDefaultSizeOnly)
    Centred,        // in the middle of the screen's work area (poScreenCenter, poDesktopCenter)
    WindowSystems,  // where the window system puts a new window (poDefault, poDefaultPosOnly)
};

struct FormFrame {
    bool titled;       // a title bar and a border: every style but bsNone
    bool dialog;       // a dialog's frame (bsDialog)
    bool tool;         // a tool window's narrow title bar (bsToolWindow, bsSizeToolWin)
    bool resizable;    // the user may change the size (bsSizeable, bsSizeToolWin)
    bool closeBox;     // the window menu and its close box (biSystemMenu)
    bool minimizeBox;  // biMinimize, but not on a dialog's frame
    bool maximizeBox;  // biMaximize, on a frame the user may resize
    // The client area: ClientWidth and ClientHeight where set, else Width and Height; always the layout's.
    int clientWidth;
    int clientHeight;
    FormPlace place;
};

FormFrame FrameOf(const TForm& form);
