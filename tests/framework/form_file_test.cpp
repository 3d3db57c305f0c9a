#include <string>
#include <vector>

#include "framework/captioned.h"
#include "framework/check_box.h"
#include "framework/class_registry.h"
#include "framework/edit.h"
#include "framework/exceptions.h"
#include "framework/form.h"
#include "framework/form_reader.h"
#include "framework/form_writer.h"
#include "framework/menu_item.h"
#include "framework/popup_menu.h"
#include "framework/published.h"
#include "framework/timer.h"
#include "tests/support/headless_test.h"

namespace {

std::vector<std::string> trace;

// Traces the loading protocol: when its name, its properties and Loaded arrive, and whether it was
// loading at the time.
class TTracer : public TComponent {
    DECLARE_CLASS_INFO
  public:
    using TComponent::TComponent;
    void SetName(const std::string& name) override {
        TComponent::SetName(name);
        trace.push_back("name " + name + (IsLoading() ? " (loading)" : ""));
    }
    const std::string& Note() const { return note_; }
    void SetNote(const std::string& note) {
        note_ = note;
        trace.push_back("note " + note + (IsLoading() ? " (loading)" : ""));
    }
    TPopupMenu* Menu() const { return menu_; }
    void SetMenu(TPopupMenu* menu) {
        menu_ = menu;
        trace.push_back(std::string("menu ") + (menu ? menu->Name() : "none"));
    }
    void Loaded() override {
        TComponent::Loaded();
        trace.push_back("loaded " + Name() + (menu_ ? " with menu" : ""));
    }

  private:
    std::string note_;
    TPopupMenu* menu_ = nullptr;
};

const PropertyInfo kTracerProperties[] = {
    StringProperty<&TTracer::Note, &TTracer::SetNote>("Note"),
    ComponentProperty<&TTracer::Menu, &TTracer::SetMenu, TPopupMenu>("Menu"),
};

class TLayoutForm : public TForm {
    DECLARE_CLASS_INFO
  public:
    using TForm::TForm;
    void Load(std::string_view text) { LoadLayout(text); }
    void BoxClick(TObject*) { ++clicks; }
    void Tick(TObject*) {}
    int clicks = 0;
};

const MethodInfo kLayoutMethods[] = {PUBLISHED_METHOD(TLayoutForm, BoxClick),
                                     PUBLISHED_METHOD(TLayoutForm, Tick)};

constexpr std::string_view kLayout = R"(object Form1: TLayoutForm
  Caption = 'Zelvo''s test'#13'line two'
  ClientWidth = 376
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu, biMinimize]
  object Tracer1: TTracer
    Note = 'first'
    Menu = PopupMenu1
  end
  object Panel1: TPanel
    Left = 0
    Width = 377
    object CheckBox1: TCheckBox
      Left = 16
      Caption = 'Alarm Enabled'
      Checked = True
      OnClick = BoxClick
    end
    object hour: TEdit
      MaxLength = 2
      Font.Name = 'Arial'
      Font.Height = -27
    end
  end
  object Timer1: TTimer
    Interval = 10000
    OnTimer = Tick
  end
  object PopupMenu1: TPopupMenu
    object showsettings: TMenuItem
      Caption = 'Show Settings'
    end
    object exitprogram: TMenuItem
      Caption = 'Exit Program'
    end
  end
end
)";

class FormFileTest : public HeadlessTest {
  protected:
    FormFileTest() {
        RegisterClass(TTracer::Class);
        trace.clear();
    }
    ComponentPtr<TLayoutForm> form = MakeComponent<TLayoutForm>(nullptr);

    // The error that loading text gives, or "" when it loads.
    std::string LoadError(std::string_view text) {
        auto fresh = MakeComponent<TLayoutForm>(nullptr);
        try {
            fresh->Load(text);
        } catch (const EReadError& error) {
            return error.what();
        }
        return "";
    }
};

}  // namespace

const ClassInfo TTracer::Class{.name = "TTracer",
                               .parent = &TComponent::Class,
                               .create = &CreateComponent<TTracer>,
                               .properties = kTracerProperties};
const ClassInfo TLayoutForm::Class{.name = "TLayoutForm", .parent = &TForm::Class, .methods = kLayoutMethods};

TEST_F(FormFileTest, LoadingSetsTheNameFirstThenPropertiesInOrderThenLoadedAfterAll) {
    form->Load(kLayout);
    // The name arrives while loading and before any property; the reference to a component further down
    // the file is resolved after everything is read; Loaded comes last.
    EXPECT_EQ(trace, (std::vector<std::string>{"name Tracer1 (loading)", "note first (loading)",
                                               "menu PopupMenu1", "loaded Tracer1 with menu"}));
    auto* tracer = static_cast<TTracer*>(form->FindComponent("Tracer1"));
    EXPECT_FALSE(tracer->IsLoading());
    EXPECT_FALSE(form->IsLoading());
}

TEST_F(FormFileTest, TheTreePropertiesAndBindingsAreAsTheFileSays) {
    form->Load(kLayout);
    EXPECT_EQ(form->Name(), "Form1");
    EXPECT_EQ(form->Caption(), "Zelvo's test\rline two");
    EXPECT_EQ(form->BorderStyle(), bsSingle);
    EXPECT_EQ(form->BorderIcons(), unsigned{biSystemMenu | biMinimize});
    auto* panel = static_cast<TPanel*>(form->FindComponent("Panel1"));
    auto* box = static_cast<TCheckBox*>(form->FindComponent("CheckBox1"));
    auto* hour = static_cast<TEdit*>(form->FindComponent("hour"));
    ASSERT_TRUE(panel && box && hour);
    EXPECT_EQ(box->Parent(), panel);  // nesting makes the parent; the form owns everything
    EXPECT_EQ(box->Owner(), form.get());
    EXPECT_EQ(hour->Font().Name, "Arial");
    EXPECT_EQ(panel->Font().Name, "MS Sans Serif");  // the parent keeps its own font
    // The stored Checked did not run the handler: the layout is a state, not a user's action.
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(form->clicks, 0);
    box->SetChecked(false);  // the binding is live after loading
    EXPECT_EQ(form->clicks, 1);
    auto* menu = static_cast<TPopupMenu*>(form->FindComponent("PopupMenu1"));
    ASSERT_EQ(menu->Count(), 2);
    EXPECT_EQ(menu->Items(1)->Caption(), "Exit Program");
}

TEST_F(FormFileTest, UnknownNamesAreLoadErrorsThatNameTheLine) {
    EXPECT_EQ(LoadError("object Form1: TLayoutForm\n  object X: TNoSuchClass\n  end\nend\n"),
              "Form file, line 2: unknown class TNoSuchClass");
    EXPECT_EQ(LoadError("object Form1: TLayoutForm\n  Colour = 5\nend\n"),
              "Form file, line 2: unknown property Colour of TLayoutForm");
    EXPECT_EQ(LoadError("object Form1: TLayoutForm\n  object B: TButton\n    OnClick = Missing\n  end\nend\n"),
              "Form file, line 3: unknown handler Missing (not published by TLayoutForm)");
    EXPECT_EQ(LoadError("object Form1: TLayoutForm\n  object T: TTracer\n    Menu = Nowhere\n  end\nend\n"),
              "Form file, line 3: unknown component Nowhere");
    EXPECT_EQ(LoadError("object Form1: TLayoutForm\n  object T: TTracer\n    Menu = T\n  end\nend\n"),
              "Form file, line 3: T is not a TPopupMenu");
    EXPECT_EQ(LoadError("object Form1: TLayoutForm\n  BorderStyle = bsRound\nend\n"),
              "Form file, line 2: unknown value bsRound of BorderStyle");
    EXPECT_EQ(LoadError("object Form1: TOtherForm\nend\n"),
              "Form file, line 1: the form is a TLayoutForm, not a TOtherForm");
    EXPECT_EQ(
        LoadError("object Form1: TLayoutForm\n  object A: TButton\n  end\n  object a: TButton\n  end\nend\n"),
        "Form file, line 4: A component named a already exists");
    EXPECT_EQ(LoadError("object Form1: TLayoutForm\n  Caption = 'open\nend\n"),
              "Form file, line 2: unterminated string");
    EXPECT_EQ(LoadError("object Form1: TLayoutForm\n  ClientWidth = 'wide'\nend\n"),
              "Form file, line 2: expected a number");
    EXPECT_EQ(LoadError("object Form1: TLayoutForm\n"), "Form file, line 2: missing 'end'");
    EXPECT_EQ(LoadError("object Form1: TLayoutForm\n  object M: TMenuItem\n  end\nend\n"),
              "Form file, line 2: Menu item M must be placed in a pop-up menu");
}

TEST_F(FormFileTest, WritingThenReadingGivesTheSameLayout) {
    form->Load(kLayout);
    const std::string written = WriteComponentText(*form);
    // Defaults are left out; values that differ are kept.
    EXPECT_EQ(written.find("Visible"), std::string::npos);
    EXPECT_NE(written.find("Interval = 10000"), std::string::npos);
    EXPECT_NE(written.find("OnClick = BoxClick"), std::string::npos);
    EXPECT_NE(written.find("Caption = 'Zelvo''s test'#13'line two'"), std::string::npos);

    auto copy = MakeComponent<TLayoutForm>(nullptr);
    copy->Load(written);
    EXPECT_EQ(WriteComponentText(*copy), written);
}
