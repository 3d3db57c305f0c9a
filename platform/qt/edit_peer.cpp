#include "platform/qt/edit_peer.h"

#include "platform/qt/captions.h"
#include "platform/qt/max_length_validator.h"

namespace qtbackend {

EditPeer::EditPeer(TEdit& edit) : TypedPeer(edit) {
    // Not QLineEdit's own maxLength: it would cut text set from code too.
    View()->setValidator(new MaxLengthValidator(View(), [&edit] { return edit.MaxLength(); }));
    // textEdited, unlike textChanged, is never emitted by setText.
    QObject::connect(View(), &QLineEdit::textEdited,
                     [&edit](const QString& text) { edit.UserEditText(ToStdString(text)); });
}

void EditPeer::ShowAspect(widgetset::Aspect aspect) {
    // Compared first, so that the text the user just typed keeps its cursor and undo history.
    if (aspect == widgetset::Aspect::Caption && View()->text() != ToQString(Object().Text())) {
        View()->setText(ToQString(Object().Text()));
        // Text set from code is shown from its beginning, as on Windows; Qt would show its end.
        View()->setCursorPosition(0);
    }
}

}  // namespace qtbackend
