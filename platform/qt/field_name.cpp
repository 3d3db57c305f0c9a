#include "platform/qt/field_name.h"

#include <QLabel>

#include "framework/rules/field_name.h"
#include "platform/qt/captions.h"
#include "platform/qt/control_peer.h"

namespace qtbackend {

namespace {

void NameField(TControl& field) {
    QWidget* widget = PeerOf(field).Widget();
    widget->setAccessibleName(ToQString(FieldName(field)));
    // The first field a label names takes its access key.
    TControl* namer = FindNamer(field);
    auto* label = namer != nullptr ? qobject_cast<QLabel*>(PeerOf(*namer).Widget()) : nullptr;
    if (label != nullptr && label->buddy() == nullptr) label->setBuddy(widget);
}

}  // namespace

void NameFields(TWinControl& root) {
    for (int i = 0; i < root.ControlCount(); ++i) {
        TControl* control = root.Controls(i);
        if (IsField(*control) && control->HasPeer()) NameField(*control);
        if (control->InheritsFrom(TWinControl::Class)) NameFields(static_cast<TWinControl&>(*control));
    }
}

}  // namespace qtbackend
