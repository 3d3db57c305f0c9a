#include "tests/platform/qt/qt_test.h"

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "framework/published.h"

namespace {

const MethodInfo kMethods[] = {PUBLISHED_METHOD(TTestForm, Clicked), PUBLISHED_METHOD(TTestForm, Changed)};

constexpr auto kDeadline = std::chrono::seconds(15);
constexpr unsigned kPollMs = 20;

}  // namespace

const ClassInfo TTestForm::Class{.name = "TTestForm", .parent = &TForm::Class, .methods = kMethods};

void TTestForm::WindowProc(TMessage& message) {
    messages.push_back(message);
    if (onMessage) onMessage(message);
    TForm::WindowProc(message);
}

QtTest::QtTest() : application(MakeComponent<TApplication>(nullptr)) { application->SetTitle("Qt test"); }

QtTest::~QtTest() { application.reset(); }

TTestForm& QtTest::ShowForm(std::string_view layout) {
    application->CreateForm(form);
    form->Load(layout);
    form->Show();
    WaitUntil([this] { return WidgetOf(*form).isVisible(); }, "the form to show");
    return *form;
}

QPoint QtTest::ScreenCentre(TControl& control) {
    QWidget& widget = WidgetOf(control);
    return widget.mapToGlobal(widget.rect().center());
}

bool QtTest::WaitUntil(const std::function<bool()>& condition, const std::string& what) {
    const auto deadline = std::chrono::steady_clock::now() + kDeadline;
    bool late = false;
    // Wakes the loop now and then, so that the deadline is seen while nothing else happens.
    const auto timer = CurrentWidgetset().StartTimer(kPollMs, [] {});
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

ScriptedUser::ScriptedUser() {
    timer_ = CurrentWidgetset().StartTimer(kPollMs, [this] { Poll(); });
}

ScriptedUser::~ScriptedUser() {
    CurrentWidgetset().StopTimer(timer_);
    for (const Step& step : steps_) ADD_FAILURE() << "The user never got to: " << step.what;
}

void ScriptedUser::When(std::string what, std::function<bool()> condition, std::function<void()> action) {
    steps_.push_back({std::move(what), std::move(condition), std::move(action)});
}

void ScriptedUser::Poll() {
    const bool due = !steps_.empty() && steps_.front().condition();
    if (!due) {
        // Polls go on after the last step only while the modal wait it should have ended still runs.
        if (++waitedPolls_ * std::chrono::milliseconds(kPollMs) > kDeadline) {
            const std::string shot = testing::TempDir() + "stuck.png";
            std::system(("import -window root " + shot).c_str());
            std::fprintf(stderr, "Stuck in a modal wait, waiting for: %s (screen: %s)\n",
                         steps_.empty() ? "the wait to end" : steps_.front().what.c_str(), shot.c_str());
            std::fflush(stderr);
            std::_Exit(EXIT_FAILURE);
        }
        return;
    }
    waitedPolls_ = 0;
    const Step step = std::move(steps_.front());
    steps_.pop_front();
    step.action();
}
