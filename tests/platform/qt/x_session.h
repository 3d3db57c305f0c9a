// A private X display for the tests, with trayer as a real notification-area host: the project's virtual
// desktop (tests/support/virtual_desktop.sh), started once for the test program and held through a pipe,
// so that it ends with the program, also when the program crashes.
#pragma once

#include <sys/types.h>

#include <string>

class XSession {
  public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    const std::string& Display() const { return display_; }

  private:
    pid_t desktop_ = -1;
    int hold_ = -1;  // the desktop's standard input: closing it ends the desktop
    std::string display_;
};
