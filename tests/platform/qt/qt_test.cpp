#include "tests/platform/qt/qt_test.h"

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>

QPoint QtTest::ScreenCentre(TControl& control) {
    QWidget& widget = WidgetOf(control);
    return widget.mapToGlobal(widget.rect().center());
}

ScriptedUser::ScriptedUser() {
    timer_ = CurrentWidgetset().StartTimer(desktop_test::kPollMs, [this] { Poll(); });
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
        if (++waitedPolls_ * std::chrono::milliseconds(desktop_test::kPollMs) > desktop_test::kDeadline) {
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
