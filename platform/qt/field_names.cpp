#include "platform/qt/field_names.h"

#include <QLabel>
#include <map>
#include <vector>

#include "framework/captioned.h"
#include "framework/check_box.h"
#include "framework/date_time_picker.h"
#include "framework/edit.h"
#include "platform/qt/captions.h"
#include "platform/qt/control_peer.h"

namespace qtbackend {

namespace {

bool IsField(const TControl& control) {
    return control.InheritsFrom(TEdit::Class) || control.InheritsFrom(TDateTimePicker::Class);
}

const std::string* NamingCaption(const TControl& control) {
    if (control.InheritsFrom(TLabel::Class)) return &static_cast<const TLabel&>(control).Caption();
    if (control.InheritsFrom(TCheckBox::Class)) return &static_cast<const TCheckBox&>(control).Caption();
    return nullptr;
}

bool SameRow(const TControl& a, const TControl& b) {
    return a.Top() < b.Top() + b.Height() && b.Top() < a.Top() + a.Height();
}

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

TControl* FindNamer(const TControl& field) {
    TWinControl* parent = field.Parent();
    if (parent == nullptr) return nullptr;
    TControl* nearest = nullptr;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* candidate = parent->Controls(i);
        const std::string* caption = NamingCaption(*candidate);
        if (caption == nullptr || !HasAccessKey(*caption) || !SameRow(*candidate, field)) continue;
        if (candidate->Left() >= field.Left()) continue;
        if (nearest == nullptr || candidate->Left() > nearest->Left()) nearest = candidate;
    }
    return nearest;
}

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
