// A private X display for the tests: Xvfb, with trayer as a real notification-area host. Started once
// for the test program; both processes end with it (also when it crashes).
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
    pid_t server_ = -1;
    pid_t tray_ = -1;
    std::string display_;
};
