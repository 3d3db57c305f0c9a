#include "tests/support/desktop_test.h"

#include <sstream>

#include "app/main_form_layout.h"
#include "framework/published.h"
#include "framework/widgetset/widgetset.h"
#include "platform/api.h"

namespace {

const MethodInfo kMethods[] = {PUBLISHED_METHOD(TTestForm, Clicked), PUBLISHED_METHOD(TTestForm, Changed)};

}  // namespace

const ClassInfo TTestForm::Class{.name = "TTestForm", .parent = &TForm::Class, .methods = kMethods};

void TTestForm::WindowProc(TMessage& message) {
    messages.push_back(message);
    if (onMessage) onMessage(message);
    TForm::WindowProc(message);
}

std::string ProgramLayoutForTest() {
    std::istringstream lines{std::string(kMainFormLayout)};
    std::string layout;
    std::string skipUntil;  // the line that ends a skipped object
    for (std::string line; std::getline(lines, line);) {
        const std::size_t indent = line.find_first_not_of(' ');
        const std::string text = indent == std::string::npos ? "" : line.substr(indent);
        if (!skipUntil.empty()) {
            if (line == skipUntil) skipUntil.clear();
            continue;
        }
        if (text.rfind("object qzTray1:", 0) == 0) {
            skipUntil = std::string(indent, ' ') + "end";
            continue;
        }
        if (text.rfind("On", 0) == 0 && text.find(" = ") != std::string::npos) continue;
        if (line == "object Form1: TForm1") line = "object Form1: TTestForm";
        layout += line + '\n';
    }
    return layout;
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

std::optional<int> DesktopTest::WallClockTimerTicksAfter(const std::function<bool()>& news) {
    using namespace std::chrono;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const milliseconds sinceMidnight =
        hours{now.wHour} + minutes{now.wMinute} + seconds{now.wSecond} + milliseconds{now.wMilliseconds};
    // Its first mark since midnight two minutes away, in the last tenth of its interval: early, by its step.
    const milliseconds interval = sinceMidnight + minutes{2};
    if (sinceMidnight * 10 < interval * 9) return std::nullopt;
    int ticks = 0;
    const auto timer =
        CurrentWidgetset().StartWallClockTimer(static_cast<unsigned>(interval.count()), [&] { ++ticks; });
    std::optional<int> counted;
    if (news()) {
        WaitUntil([&] { return ticks > 0; }, "the tick at once");
        // Armed again for its mark, not ticking on.
        int plainTicks = 0;
        const auto plain = CurrentWidgetset().StartTimer(desktop_test::kPollMs, [&] { ++plainTicks; });
        WaitUntil([&] { return plainTicks >= 5; }, "five plain ticks");
        CurrentWidgetset().StopTimer(plain);
        counted = ticks;
    }
    CurrentWidgetset().StopTimer(timer);
    return counted;
}
