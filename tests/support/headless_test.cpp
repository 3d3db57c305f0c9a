#include "tests/support/headless_test.h"

HeadlessTest::HeadlessTest() : application(MakeComponent<TApplication>(nullptr)) {
    desktop.Reset();
    application->SetTitle("Test");
}

// Runs after the test's own members are gone, so the components they held have stopped their timers.
HeadlessTest::~HeadlessTest() {
    application.reset();
    for (const std::string& box : script.Unexpected()) ADD_FAILURE() << "Unexpected " << box;
    EXPECT_EQ(script.PendingAnswers(), 0u) << "A scripted answer was never used";
    EXPECT_FALSE(desktop.Loop().HasTimers()) << "A timer was left running";
}
