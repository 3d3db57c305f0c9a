// A control's font as a GDI font, made once per distinct description and kept for the program's life.
#pragma once

#include <string>

#include "framework/font.h"
#include "platform/api.h"

namespace win32backend {

HFONT FontFor(const TFont& font);

// The font narrowed further, where the text would be wider than width pixels, until the text fits: a
// narrower cell first, then a smaller height.
HFONT FittedToText(const TFont& font, const std::string& text, int width);

}  // namespace win32backend
