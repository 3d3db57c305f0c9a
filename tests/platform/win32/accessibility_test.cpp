// The settings window as a screen reader reads it through Active Accessibility: each control's accessible
// object, taken from its window as a reader takes it, with its name, role and state.
#include <oleacc.h>

#include <utility>

#include "framework/captioned.h"
#include "framework/rules/access_key.h"
#include "framework/rules/field_name.h"
#include "tests/platform/win32/win32_test.h"

namespace {

struct Heard {
    std::string name;
    long role = 0;
    long state = 0;
};

std::string Narrow(BSTR text) {
    if (text == nullptr) return {};
    const int length = static_cast<int>(SysStringLen(text));
    std::string narrow(
        static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr)),
        '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, narrow.data(), static_cast<int>(narrow.size()), nullptr,
                        nullptr);
    SysFreeString(text);
    return narrow;
}

// What a reader hears of a window's client object.
Heard HearWindow(HWND window) {
    IAccessible* accessible = nullptr;
    EXPECT_EQ(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&accessible)),
              S_OK);
    Heard heard;
    if (accessible == nullptr) return heard;
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (accessible->get_accName(self, &name) == S_OK) heard.name = Narrow(name);
    VARIANT value;
    VariantInit(&value);
    if (accessible->get_accRole(self, &value) == S_OK && value.vt == VT_I4) heard.role = value.lVal;
    VariantInit(&value);
    if (accessible->get_accState(self, &value) == S_OK && value.vt == VT_I4) heard.state = value.lVal;
    accessible->Release();
    return heard;
}

class Win32AccessibilityTest : public Win32Test {
  protected:
    Win32AccessibilityTest() {
        CoInitialize(nullptr);
        ShowForm(ProgramLayoutForTest());
    }
    ~Win32AccessibilityTest() override { CoUninitialize(); }

    Heard Hear(const std::string& name) { return HearWindow(WindowOf(Find<TControl>(name))); }
};

// What the system's Active Accessibility serves, as Wine serves it: the window's text as the name of a
// button, box or label, an edit's role; and each field's name is the program's own, as on Linux, whatever
// static text stands before it. The roles of the other controls and their states but invisibility Wine
// does not serve (see docs/decisions.md).
TEST_F(Win32AccessibilityTest, ButtonsBoxesAndLabelsAreReadByTheirCaptionsAndFieldsByTheirNamers) {
    int read = 0;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* control = dynamic_cast<TControl*>(form->Components(i));
        if (control == nullptr) continue;
        // Labels and check boxes, and buttons.
        const std::string* caption = control->InheritsFrom(TButton::Class)
                                         ? &static_cast<TButton*>(control)->Caption()
                                         : NamingCaption(*control);
        if (caption == nullptr) continue;
        EXPECT_EQ(HearWindow(WindowOf(*control)).name, WithoutAccessKey(*caption)) << control->Name();
        ++read;
    }
    EXPECT_EQ(read, 15);
    for (const char* field : {"hour", "min", "message", "runapp"})
        EXPECT_EQ(Hear(field).role, ROLE_SYSTEM_TEXT);
    const std::pair<const char*, const char*> fields[] = {{"hour", "Alert me at: hour"},
                                                          {"min", "Alert me at: min"},
                                                          {"message", "Message"},
                                                          {"runapp", "Run Application"},
                                                          {"datepick", "Date"}};
    for (const auto& [field, name] : fields) EXPECT_EQ(Hear(field).name, name) << field;
    EXPECT_NE(Hear("MediaPlayer1").state & STATE_SYSTEM_INVISIBLE, 0);
}

}  // namespace
