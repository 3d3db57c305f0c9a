#include "platform/qt/edit_peer.h"

#include "platform/qt/captions.h"
#include "platform/qt/max_length_validator.h"

namespace qtbackend {

EditPeer::EditPeer(TEdit& edit)
    : ControlPeer(edit, new QLineEdit(ParentWidgetOf(edit))),
      edit_(edit),
      widget_(static_cast<QLineEdit*>(Widget())) {
    // Not QLineEdit's own maxLength: it would cut text set from code too.
    widget_->setValidator(new MaxLengthValidator(widget_, [&edit] { return edit.MaxLength(); }));
    // textEdited, unlike textChanged, is never emitted by setText.
    QObject::connect(widget_, &QLineEdit::textEdited,
                     [&edit](const QString& text) { edit.UserEditText(ToStdString(text)); });
}

void EditPeer::ShowAspect(widgetset::Aspect aspect) {
    // Compared first, so that the text the user just typed keeps its cursor and undo history.
    if (aspect == widgetset::Aspect::Caption && widget_->text() != ToQString(edit_.Text())) {
        widget_->setText(ToQString(edit_.Text()));
    }
}

}  // namespace qtbackend
