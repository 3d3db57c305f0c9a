#include "platform/qt/field_names.h"

#include <QLabel>
#include <map>
#include <string>
#include <vector>

#include "framework/date_time_picker.h"
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

// A field without a namer or hint is named by what it holds, as its component name means nothing to a user;
// an edit's role says that already.
std::string WhatItHolds(const TControl& field) {
    if (!field.InheritsFrom(TDateTimePicker::Class)) return {};
    return static_cast<const TDateTimePicker&>(field).Kind() == dtkTime ? "Time" : "Date";
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
            widget->setAccessibleName(ToQString(field->Hint().empty() ? WhatItHolds(*field) : field->Hint()));
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
