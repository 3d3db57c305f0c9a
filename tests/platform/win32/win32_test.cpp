#include "tests/platform/win32/win32_test.h"

#include "framework/published.h"

namespace {

const MethodInfo kMethods[] = {PUBLISHED_METHOD(TTestForm, Clicked), PUBLISHED_METHOD(TTestForm, Changed)};

constexpr DWORD kDeadlineMs = 15000;
constexpr unsigned kPollMs = 20;

}  // namespace

const ClassInfo TTestForm::Class{.name = "TTestForm", .parent = &TForm::Class, .methods = kMethods};

Win32Test::Win32Test() : application(MakeComponent<TApplication>(nullptr)) {
    application->SetTitle("Win32 test");
}

Win32Test::~Win32Test() { application.reset(); }

TTestForm& Win32Test::ShowForm(std::string_view layout) {
    application->CreateForm(form);
    form->Load(layout);
    form->Show();
    form->BringToFront();
    WaitUntil([this] { return IsWindowVisible(WindowOf(*form)) != FALSE; }, "the form to show");
    return *form;
}

bool Win32Test::WaitUntil(const std::function<bool()>& condition, const std::string& what) {
    const DWORD start = GetTickCount();
    bool late = false;
    // Wakes the loop now and then, so that the deadline is seen while nothing else happens.
    const auto timer = CurrentWidgetset().StartTimer(kPollMs, [] {});
    CurrentWidgetset().RunLoop([&] {
        late = GetTickCount() - start > kDeadlineMs;
        return late || condition();
    });
    CurrentWidgetset().StopTimer(timer);
    if (late && !condition()) {
        ADD_FAILURE() << "Still waiting for " << what;
        return false;
    }
    return true;
}
