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

bool Win32Test::WaitForKeysToReach(HWND field) {
    return WaitUntil(
        [field] { return GetFocus() == field && GetForegroundWindow() == GetAncestor(field, GA_ROOT); },
        "the focus in the foreground window's field");
}

void Win32Test::RunLoopUntilEnded(HANDLE process) {
    if (process == nullptr) return;
    WaitUntil([process] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, "xdotool to end");
    CloseHandle(process);
}

void Win32Test::Type(const std::string& text) { RunLoopUntilEnded(desktop_user::StartTyping(text)); }

void Win32Test::PressKeys(const std::string& keys) { RunLoopUntilEnded(desktop_user::StartKeys(keys)); }

Win32Test::Pixels Win32Test::Tray() { return desktop_user::Screenshot(desktop_user::TrayIconArea()); }

Win32Test::Pixels Win32Test::SettledTray(const std::function<bool(const Pixels&)>& wanted,
                                         const std::string& what) {
    Pixels current = Tray();
    DWORD since = GetTickCount();
    WaitUntil(
        [&] {
            Pixels now = Tray();
            if (now != current) {
                current = std::move(now);
                since = GetTickCount();
            }
            return wanted(current) && GetTickCount() - since >= 300;
        },
        what);
    return current;
}
