#include "framework/form.h"

#include "framework/application.h"
#include "framework/error_reporting.h"
#include "framework/exceptions.h"
#include "framework/form_reader.h"
#include "framework/published.h"

namespace {

constexpr std::string_view kBorderStyles[] = {"bsNone",   "bsSingle",     "bsSizeable",
                                              "bsDialog", "bsToolWindow", "bsSizeToolWin"};
constexpr std::string_view kBorderIcons[] = {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"};
constexpr std::string_view kPositions[] = {"poDesigned",        "poDefault",      "poDefaultPosOnly",
                                           "poDefaultSizeOnly", "poScreenCenter", "poDesktopCenter"};

const PropertyInfo kProperties[] = {
    StringProperty<&TForm::Caption, &TForm::SetCaption>("Caption"),
    BooleanProperty<&TForm::Visible, &TForm::SetVisible>("Visible", false),
    IntegerProperty<&TForm::ClientWidth, &TForm::SetClientWidth>("ClientWidth"),
    IntegerProperty<&TForm::ClientHeight, &TForm::SetClientHeight>("ClientHeight"),
    EnumProperty<&TForm::BorderStyle, &TForm::SetBorderStyle>("BorderStyle", kBorderStyles, bsSizeable),
    SetProperty<&TForm::BorderIcons, &TForm::SetBorderIcons>("BorderIcons", kBorderIcons,
                                                             biSystemMenu | biMinimize | biMaximize),
    EnumProperty<&TForm::Position, &TForm::SetPosition>("Position", kPositions, poDesigned),
    StringProperty<&TForm::Icon, &TForm::SetIcon>("Icon"),
    EventProperty<&TForm::OnCreate, &TForm::SetOnCreate>("OnCreate"),
};

}  // namespace

const ClassInfo TForm::Class{.name = "TForm", .parent = &TWinControl::Class, .properties = kProperties};

TForm::TForm(TComponent* owner) : TCaptioned(owner) { SetVisible(false); }

void TForm::Hide() {
    if (!Visible()) return;
    SetVisible(false);
    Hidden();
}

void TForm::Close() {
    Hide();
    if (Application != nullptr && Application->MainForm() == this) Application->Terminate();
}

void TForm::ShowRestored() {
    SetWindowState(wsNormal);
    Show();
    BringToFront();
}

void TForm::UserClose() {
    ReportErrors([this] { CloseByUser(); });
}

void TForm::DoCreate() {
    if (onCreate_) ReportErrors([this] { onCreate_(this); });
}

void TForm::LoadLayout(std::string_view formText) { ReadComponentText(*this, formText); }

TComponent* TForm::FindLoadedComponent(const std::string& name, const ClassInfo& expected) const {
    TComponent* component = FindComponent(name);
    if (component == nullptr) throw EReadError("The layout of " + std::string(ClassName()) + " has no " + name);
    if (!component->InheritsFrom(expected)) {
        throw EReadError(name + " in the layout of " + std::string(ClassName()) + " is a " +
                         std::string(component->ClassName()) + ", not a " + std::string(expected.name));
    }
    return component;
}
