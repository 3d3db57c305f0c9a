#include "platform/qt/fonts.h"

#include <cstdlib>

#include "framework/text.h"
#include "platform/qt/captions.h"

namespace qtbackend {

namespace {

// Windows' bitmap sans serif is not installed here; its widths are close to Arial's, whose metric twins
// fontconfig knows (Liberation Sans, Nimbus Sans), so layouts made for it keep fitting. Fontconfig itself
// would give the default sans serif, which is much wider. (No style hint either, for the same reason: with
// one, Qt skips fontconfig's metric aliases.)
QString FamilyFor(const std::string& name) {
    return SameText(name, "MS Sans Serif") ? "Arial" : ToQString(name);
}

}  // namespace

QFont FontFor(const TFont& font) {
    QFont result(FamilyFor(font.Name));
    if (font.Height != 0) result.setPixelSize(std::abs(font.Height));
    return result;
}

}  // namespace qtbackend
