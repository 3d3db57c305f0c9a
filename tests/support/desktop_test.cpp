#include "tests/support/desktop_test.h"

#include "framework/published.h"
#include "framework/widgetset.h"

namespace {

const MethodInfo kMethods[] = {PUBLISHED_METHOD(TTestForm, Clicked), PUBLISHED_METHOD(TTestForm, Changed)};

}  // namespace

const ClassInfo TTestForm::Class{.name = "TTestForm", .parent = &TForm::Class, .methods = kMethods};

void TTestForm::WindowProc(TMessage& message) {
    messages.push_back(message);
    if (onMessage) onMessage(message);
    TForm::WindowProc(message);
}

DesktopTest::DesktopTest(const std::string& title) : application(MakeComponent<TApplication>(nullptr)) {
    application->SetTitle(title);
}

TTestForm& DesktopTest::ShowForm(std::string_view layout) {
    application->CreateForm(form);
    form->Load(layout);
    Present(*form);
    WaitUntil([this] { return IsOnScreen(*form); }, "the form to show");
    return *form;
}

bool DesktopTest::WaitUntil(const std::function<bool()>& condition, const std::string& what) {
    const auto deadline = std::chrono::steady_clock::now() + desktop_test::kDeadline;
    bool late = false;
    // Wakes the loop now and then, so that the deadline is seen while nothing else happens.
    const auto timer = CurrentWidgetset().StartTimer(desktop_test::kPollMs, [] {});
    CurrentWidgetset().RunLoop([&] {
        late = std::chrono::steady_clock::now() > deadline;
        return late || condition();
    });
    CurrentWidgetset().StopTimer(timer);
    if (late && !condition()) {
        ADD_FAILURE() << "Still waiting for " << what;
        return false;
    }
    return true;
}
