// Opening a document or a URL with the desktop's default application, through xdg-open.
#pragma once

#include <string>

namespace posix {

enum class DesktopOpen { Opened, NoOpener };

// target is an absolute path or a URL, never an option of xdg-open. xdg-open is waited for, with a bound:
// it hands the target over and exits; one still busy then is taken as having opened it.
DesktopOpen OpenWithDesktop(const std::string& target, const std::string& directory);

}  // namespace posix
