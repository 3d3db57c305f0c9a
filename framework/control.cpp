#include "framework/control.h"

#include "framework/error_reporting.h"
#include "framework/exceptions.h"
#include "framework/published.h"
#include "framework/win_control.h"

namespace {

// A control that shows its parent's font stores none of its own.
bool HasOwnFont(const TObject& self) { return !static_cast<const TControl&>(self).ParentFont(); }

const PropertyInfo kProperties[] = {
    IntegerProperty<&TControl::Left, &TControl::SetLeft>("Left"),
    IntegerProperty<&TControl::Top, &TControl::SetTop>("Top"),
    IntegerProperty<&TControl::Width, &TControl::SetWidth>("Width"),
    IntegerProperty<&TControl::Height, &TControl::SetHeight>("Height"),
    BooleanProperty<&TControl::Visible, &TControl::SetVisible>("Visible", true),
    BooleanProperty<&TControl::Enabled, &TControl::SetEnabled>("Enabled", true),
    StringProperty<&TControl::Hint, &TControl::SetHint>("Hint"),
    BooleanProperty<&TControl::ShowHint, &TControl::SetShowHint>("ShowHint", false),
    BooleanProperty<&TControl::ParentShowHint, &TControl::SetParentShowHint>("ParentShowHint", true),
    IntegerProperty<&TControl::TabOrder, &TControl::SetTabOrder>("TabOrder", -1),
    StoredWhen(StringProperty<&TControl::FontName, &TControl::SetFontName>("Font.Name"), HasOwnFont),
    StoredWhen(IntegerProperty<&TControl::FontHeight, &TControl::SetFontHeight>("Font.Height"), HasOwnFont),
    StoredWhen(IntegerProperty<&TControl::FontCharset, &TControl::SetFontCharset>("Font.Charset"), HasOwnFont),
    StoredWhen(IntegerProperty<&TControl::FontColor, &TControl::SetFontColor>("Font.Color"), HasOwnFont),
    BooleanProperty<&TControl::ParentFont, &TControl::SetParentFont>("ParentFont", true),
    EventProperty<&TControl::OnClick, &TControl::SetOnClick>("OnClick"),
};

}  // namespace

const ClassInfo TControl::Class{.name = "TControl", .parent = &TComponent::Class, .properties = kProperties};

// One user's change while it runs: whether the peer has been told of its aspect since, and whether a
// handler freed the control (then nothing of the control is touched again).
struct TControl::UserChange {
    UserChange(TControl& control, widgetset::Aspect aspect)
        : control(control), aspect(aspect), outer(control.userChange_) {
        control.userChange_ = this;
    }
    ~UserChange() {
        if (!freed) control.userChange_ = outer;
    }
    UserChange(const UserChange&) = delete;
    UserChange& operator=(const UserChange&) = delete;

    TControl& control;
    const widgetset::Aspect aspect;
    UserChange* const outer;
    bool shown = false;
    bool freed = false;
};

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
    for (UserChange* change = userChange_; change != nullptr; change = change->outer) change->freed = true;
    peer_.reset();
    if (parent_ != nullptr) parent_->RemoveControl(this);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* parent) {
    if (parent != nullptr && !parent->InheritsFrom(TWinControl::Class)) {
        throw EComponentError("Control " + Name() + " cannot be placed in " + parent->Name() +
                              ", which is not a windowed control");
    }
    SetParent(static_cast<TWinControl*>(parent));
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_ != nullptr) parent_->RemoveControl(this);
    parent_ = parent;
    if (parent_ != nullptr) parent_->InsertControl(this);
}

const TFont& TControl::Font() const {
    return font_.parentFont && parent_ != nullptr ? parent_->Font() : font_.own;
}

template <class T>
void TControl::SetFontPart(T TFont::*part, const T& value) {
    TFont font = Font();
    font.*part = value;
    SetFont(font);
}

void TControl::SetFontName(const std::string& value) { SetFontPart(&TFont::Name, value); }
void TControl::SetFontHeight(int value) { SetFontPart(&TFont::Height, value); }
void TControl::SetFontCharset(int value) { SetFontPart(&TFont::Charset, value); }
void TControl::SetFontColor(int value) { SetFontPart(&TFont::Color, value); }

void TControl::Click() {
    if (onClick_) onClick_(this);
}

void TControl::RunUserAction(const std::function<void()>& action) {
    if (!Enabled() || IsDestroying()) return;
    ReportErrors(action);
}

void TControl::RunUserChange(widgetset::Aspect aspect, const std::function<void()>& change) {
    // On the heap, so that a control a handler freed never held the address of this frame.
    const auto running = std::make_unique<UserChange>(*this, aspect);
    RunUserAction(change);
    if (!running->freed && !running->shown) Changed(aspect);
}

void TControl::UserClick() {
    RunUserAction([this] { Click(); });
}

widgetset::ControlPeer& TControl::Peer() {
    if (!peer_) {
        // A peer is shown inside its parent's, so the parent's comes first.
        if (parent_ != nullptr) parent_->Peer();
        peer_ = CurrentWidgetset().CreatePeer(*this);
    }
    return *peer_;
}

void TControl::Changed(widgetset::Aspect aspect) {
    if (!peer_ || IsLoading()) return;
    for (UserChange* change = userChange_; change != nullptr; change = change->outer) {
        if (change->aspect == aspect) change->shown = true;
    }
    peer_->Changed(aspect);
}

void TControl::Loaded() {
    TComponent::Loaded();
    Peer();
}
