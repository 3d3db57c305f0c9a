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
constexpr int kAlphabetLength = sizeof kAlphabet - 1;

// What a font made from the description turns out to be: the face the system gave and its letters'
// average width.
struct Realised {
    std::string face;
    double averageWidth = 0;
    LONG cellAverageWidth = 0;  // what lfWidth means
};

Realised Realise(const LOGFONTA& description) {
    Realised result;
    HFONT font = CreateFontIndirectA(&description);
    if (font == nullptr) return result;
    HDC context = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(context, font);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(context, LF_FACESIZE, face);
    result.face = face;
    SIZE extent{};
    GetTextExtentPoint32A(context, kAlphabet, kAlphabetLength, &extent);
    result.averageWidth = extent.cx / static_cast<double>(kAlphabetLength);
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
    for (int attempt = 0; attempt < 3 && bestRealised.averageWidth > wanted; ++attempt) {
        const LONG cell = best.lfWidth != 0 ? best.lfWidth : bestRealised.cellAverageWidth;
        best.lfWidth =
            std::max<LONG>(1, static_cast<LONG>(std::floor(cell * wanted / bestRealised.averageWidth)));
        bestRealised = Realise(best);
    }
    return best;
}

}  // namespace

HFONT FontFor(const TFont& font) {
    using Key = std::tuple<std::string, int, int>;
    static std::map<Key, HFONT> fonts;
    const Key key{font.Name, font.Height, font.Charset};
    auto it = fonts.find(key);
    if (it != fonts.end()) return it->second;
    // Negative: the characters' height, positive: the cell's; both at 96 dpi in the layout.
    LOGFONTA description = Describe(font.Name, Scaled(font.Height), static_cast<BYTE>(font.Charset));
    if (const auto share = AverageWidthShare(font.Name); share && font.Height < 0) {
        description = FittedDescription(description, *share * Scaled(-font.Height));
    }
    HFONT handle = CreateFontIndirectA(&description);
    if (handle == nullptr) handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fonts.emplace(key, handle);
    return handle;
}

}  // namespace win32backend
