// The hints: one tooltip window per form, with a tool for each of its controls whose hint shows.
#pragma once

#include <string>

#include "platform/api.h"

namespace win32backend {

// Shows text as the hint of window (in the form root); an empty text removes it.
void SetHint(HWND root, HWND window, const std::string& text);

}  // namespace win32backend
