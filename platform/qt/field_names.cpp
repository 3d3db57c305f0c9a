#include "platform/qt/field_names.h"

#include <QLabel>
#include <map>
#include <vector>

#include "framework/field_namer.h"
#include "platform/qt/captions.h"
#include "platform/qt/control_peer.h"

namespace qtbackend {

namespace {

void Collect(TWinControl& parent, std::vector<TControl*>& fields) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* control = parent.Controls(i);
        if (IsField(*control) && control->HasPeer()) fields.push_back(control);
        if (control->InheritsFrom(TWinControl::Class)) Collect(static_cast<TWinControl&>(*control), fields);
    }
}

// The namer's caption as a name: without access-key marks, and without the colon that ends a label.
QString NameOf(const TControl& namer) {
    QString name = WithoutAccessKey(*NamingCaption(namer)).trimmed();
    if (name.endsWith(':')) name.chop(1);
    return name;
}

}  // namespace

void NameFields(TWinControl& root) {
    std::vector<TControl*> fields;
    Collect(root, fields);
    std::map<TControl*, int> named;
    for (TControl* field : fields) {
        if (TControl* namer = FindNamer(*field)) ++named[namer];
    }
    for (TControl* field : fields) {
        QWidget* widget = PeerOf(*field).Widget();
        TControl* namer = FindNamer(*field);
        if (namer == nullptr) {
            widget->setAccessibleName(ToQString(field->Hint().empty() ? field->Name() : field->Hint()));
            continue;
        }
        widget->setAccessibleName(named[namer] == 1 ? NameOf(*namer)
                                                    : NameOf(*namer) + ": " + ToQString(field->Name()));
        // The first field a label names takes its access key.
        if (auto* label = qobject_cast<QLabel*>(PeerOf(*namer).Widget()); label && label->buddy() == nullptr) {
            label->setBuddy(widget);
        }
    }
}

}  // namespace qtbackend
