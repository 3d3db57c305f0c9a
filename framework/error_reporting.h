// The handler of uncaught errors. Handlers catch nothing; the framework's dispatch points (a timer tick, a
// user's action, a window message, a form's creation handler) run them through ReportErrors, which shows
// an escaping error in a message box and lets the program go on.
#pragma once

#include <functional>

void ReportErrors(const std::function<void()>& handler);
