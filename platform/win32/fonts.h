// A control's font as a GDI font, made once per distinct font and kept for the program's life.
#pragma once

#include "framework/font.h"
#include "platform/api.h"

namespace win32backend {

HFONT FontFor(const TFont& font);

}  // namespace win32backend
