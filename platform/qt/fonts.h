// A control's font as a QFont.
#pragma once

#include <QFont>

#include "framework/font.h"

namespace qtbackend {

// Height < 0 is the characters' height in pixels at 96 dpi, which is what a pixel size means to Qt
// before its own high-dpi scaling; a positive height (the cell's) is taken as the same, close enough.
// The faces layouts are drawn with are replaced by what is installed, narrowed where that is wider on
// average, so that texts fit the widths the layout gives them.
QFont FontFor(const TFont& font);

// The font narrowed further, where the text would be wider than width pixels, until the text fits: a
// narrower stretch first, then, once no narrower one is left, a smaller size.
QFont FittedToText(QFont font, const QString& text, int width);

}  // namespace qtbackend
