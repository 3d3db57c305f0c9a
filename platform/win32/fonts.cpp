#include "platform/win32/fonts.h"

#include <cmath>
#include <cstring>
#include <map>
#include <tuple>

#include "framework/text.h"
#include "platform/measured_faces.h"
#include "platform/win32/screen_scale.h"

namespace win32backend {

namespace {

// Where a layout's face is missing (Wine has only stand-ins), the nearest of these that is installed.
constexpr const char* kStandIns[] = {"Tahoma", "Microsoft Sans Serif", "Arial"};

using measured_faces::AverageWidthShare;
using measured_faces::kAlphabet;

// What a font made from the description turns out to be: the face the system gave, the text's width (by
// default the alphabet's, whose average letter width is what the layouts were measured by) and its letters'
// average width.
struct Realised {
    std::string face;
    double textWidth = 0;
    double averageWidth = 0;
    LONG cellAverageWidth = 0;  // what lfWidth means
};

Realised Realise(const LOGFONTA& description, const std::string& text = kAlphabet) {
    Realised result;
    HFONT font = CreateFontIndirectA(&description);
    if (font == nullptr) return result;
    HDC context = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(context, font);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(context, LF_FACESIZE, face);
    result.face = face;
    SIZE extent{};
    GetTextExtentPoint32A(context, text.c_str(), static_cast<int>(text.size()), &extent);
    result.textWidth = extent.cx;
    result.averageWidth = extent.cx / static_cast<double>(text.size());
    TEXTMETRICA metrics{};
    GetTextMetricsA(context, &metrics);
    result.cellAverageWidth = metrics.tmAveCharWidth;
    SelectObject(context, previous);
    DeleteDC(context);
    DeleteObject(font);
    return result;
}

LOGFONTA Describe(const std::string& face, LONG height, BYTE charset) {
    LOGFONTA description{};
    description.lfHeight = height;
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = charset;
    description.lfQuality = DEFAULT_QUALITY;
    strncpy(description.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return description;
}

// Narrows the description's cells until what is measured of the text is no wider than wanted; whether it
// got there. A narrowing may land on another size of a bitmap face, so each step is measured again.
bool NarrowTo(LOGFONTA& description, Realised realised, double wanted, double Realised::*measured,
              const std::string& text) {
    for (int attempt = 0; attempt < 3 && realised.*measured > wanted; ++attempt) {
        const LONG cell = description.lfWidth != 0 ? description.lfWidth : realised.cellAverageWidth;
        const LONG narrower =
            std::max<LONG>(1, static_cast<LONG>(std::floor(cell * wanted / (realised.*measured))));
        if (narrower >= cell) break;
        description.lfWidth = narrower;
        realised = Realise(description, text);
    }
    return realised.*measured <= wanted;
}

// The layout's face where the system has it; else whichever of the installed stand-ins and the system's
// own substitute has letters nearest the width wanted, narrowed to it when still wider. A narrowing may
// land on another size of a bitmap face, so the result is measured again.
LOGFONTA FittedDescription(const LOGFONTA& layoutFace, double wanted) {
    const Realised given = Realise(layoutFace);
    if (SameText(given.face, layoutFace.lfFaceName)) return layoutFace;
    LOGFONTA best = layoutFace;  // the system's own substitute, when no stand-in is installed either
    Realised bestRealised = given;
    for (const char* name : kStandIns) {
        const LOGFONTA candidate = Describe(name, layoutFace.lfHeight, layoutFace.lfCharSet);
        const Realised realised = Realise(candidate);
        if (!SameText(realised.face, name)) continue;
        if (std::abs(realised.averageWidth - wanted) < std::abs(bestRealised.averageWidth - wanted)) {
            best = candidate;
            bestRealised = realised;
        }
    }
    NarrowTo(best, bestRealised, wanted, &Realised::averageWidth, kAlphabet);
    return best;
}

// The description a layout's font is shown with, found once per font.
const LOGFONTA& DescriptionFor(const TFont& font) {
    using Key = std::tuple<std::string, int, int>;
    static std::map<Key, LOGFONTA> descriptions;
    const Key key{font.Name, font.Height, font.Charset};
    auto it = descriptions.find(key);
    if (it != descriptions.end()) return it->second;
    // Negative: the characters' height, positive: the cell's; both at 96 dpi in the layout.
    LOGFONTA description = Describe(font.Name, Scaled(font.Height), static_cast<BYTE>(font.Charset));
    if (const auto share = AverageWidthShare(font.Name); share && font.Height < 0) {
        description = FittedDescription(description, *share * Scaled(-font.Height));
    }
    return descriptions.emplace(key, description).first->second;
}

// The font made from the description, once per distinct face, height, width and character set.
HFONT Made(const LOGFONTA& description) {
    using Key = std::tuple<std::string, LONG, LONG, BYTE>;
    static std::map<Key, HFONT> fonts;
    const Key key{description.lfFaceName, description.lfHeight, description.lfWidth, description.lfCharSet};
    auto it = fonts.find(key);
    if (it != fonts.end()) return it->second;
    HFONT handle = CreateFontIndirectA(&description);
    if (handle == nullptr) handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return fonts.emplace(key, handle).first->second;
}

}  // namespace

HFONT FontFor(const TFont& font) { return Made(DescriptionFor(font)); }

HFONT FittedToText(const TFont& font, const std::string& text, int width) {
    LOGFONTA description = DescriptionFor(font);
    if (text.empty() || NarrowTo(description, Realise(description, text), width, &Realised::textWidth, text)) {
        return Made(description);
    }
    // No narrower cell helps: smaller characters, as many as needed (the height is negative: characters').
    for (Realised realised = Realise(description, text); realised.textWidth > width;
         realised = Realise(description, text)) {
        const LONG smaller = description.lfHeight < 0 ? description.lfHeight + 1 : description.lfHeight - 1;
        if (smaller == 0) break;
        description.lfHeight = smaller;
        description.lfWidth = 0;
    }
    return Made(description);
}

}  // namespace win32backend
