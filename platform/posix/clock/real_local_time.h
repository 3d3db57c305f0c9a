// The local time of a reading of the system clock, for the desktop back ends.
#pragma once

#include <time.h>

#include "platform/posix/core/win32_api.h"

namespace posix {

SYSTEMTIME LocalTimeAt(const timespec& moment);

}  // namespace posix
