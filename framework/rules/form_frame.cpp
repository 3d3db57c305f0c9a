#include "framework/rules/form_frame.h"

namespace {

FormPlace PlaceOf(TPosition position) {
    switch (position) {
        case poScreenCenter:
        case poDesktopCenter:
            return FormPlace::Centred;
        case poDefault:
        case poDefaultPosOnly:
            return FormPlace::WindowSystems;
        case poDesigned:
        case poDefaultSizeOnly:
            break;
    }
    return FormPlace::Designed;
}

}  // namespace

FormFrame FrameOf(const TForm& form) {
    const TFormBorderStyle style = form.BorderStyle();
    const unsigned icons = form.BorderIcons();
    const bool titled = style != bsNone;
    const bool dialog = style == bsDialog;
    const bool resizable = style == bsSizeable || style == bsSizeToolWin;
    return {
        .titled = titled,
        .dialog = dialog,
        .tool = style == bsToolWindow || style == bsSizeToolWin,
        .resizable = resizable,
        .closeBox = titled && (icons & biSystemMenu) != 0,
        .minimizeBox = titled && !dialog && (icons & biMinimize) != 0,
        .maximizeBox = resizable && (icons & biMaximize) != 0,
        .clientWidth = form.ClientWidth() > 0 ? form.ClientWidth() : form.Width(),
        .clientHeight = form.ClientHeight() > 0 ? form.ClientHeight() : form.Height(),
        .place = PlaceOf(form.Position()),
    };
}
