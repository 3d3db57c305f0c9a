// Opening a document or a URL with the desktop's default application, through xdg-open.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace posix {

// target is an absolute path or a URL, never an option of xdg-open. xdg-open is started and never waited
// for: the reason when it cannot be started, else nothing, and failed(reason) later, on another thread,
// when it ends in failure.
std::optional<std::string> OpenWithDesktop(const std::string& target, const std::string& directory,
                                           std::function<void(std::string reason)> failed);

}  // namespace posix
