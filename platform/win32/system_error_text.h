// The system's wording of an error code, for messages shown to the user.
#pragma once

#include <string>

#include "platform/api.h"

namespace win32backend {

// As FormatMessageA gives it, without the line end it closes with.
std::string SystemErrorText(DWORD code);

}  // namespace win32backend
