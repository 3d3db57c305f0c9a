#include "framework/rules/caption_room.h"

#include <algorithm>

#include "framework/captioned.h"
#include "framework/rules/form_frame.h"
#include "framework/rules/layout_row.h"

namespace {

int InnerWidth(const TWinControl& parent) {
    return parent.InheritsFrom(TForm::Class) ? FrameOf(static_cast<const TForm&>(parent)).clientWidth
                                             : parent.Width();
}

}  // namespace

int CaptionRoom(const TControl& control) {
    const TWinControl* parent = control.Parent();
    if (parent == nullptr) return control.Width();
    int end = InnerWidth(*parent);
    if (!control.InheritsFrom(TLabel::Class)) return std::min(control.Width(), end - control.Left());
    for (int i = 0; i < parent->ControlCount(); ++i) {
        const TControl& sibling = *parent->Controls(i);
        if (&sibling == &control || !sibling.Visible() || !SameRow(sibling, control)) continue;
        if (sibling.Left() > control.Left()) end = std::min(end, sibling.Left());
    }
    return end - control.Left();
}
