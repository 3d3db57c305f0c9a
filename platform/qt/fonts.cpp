#include "platform/qt/fonts.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "framework/text.h"
#include "platform/qt/captions.h"

namespace qtbackend {

namespace {

// The faces layouts name, with the average width of their letters as a share of the characters' height:
// the widths the layouts were measured with. Windows' bitmap sans serif at 8 points on a 96-dpi screen
// (11-pixel characters in 13-pixel cells, dialog units of 6 x 13) averages about 5.75 pixels a letter;
// Arial averages 0.58 of its height.
struct MeasuredFace {
    const char* name;
    double averageWidth;
};
constexpr MeasuredFace kMeasuredFaces[] = {{"MS Sans Serif", 0.523}, {"Arial", 0.5835}};

const QString kAlphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

// Neither is installed here; Arial's metric twins often are (Liberation Sans, Nimbus Sans), and whatever
// fontconfig gives instead is narrowed to the face's widths. (No style hint: with one, Qt skips
// fontconfig's metric aliases.)
QString FamilyFor(const std::string& name) {
    for (const MeasuredFace& face : kMeasuredFaces) {
        if (SameText(name, face.name)) return QStringLiteral("Arial");
    }
    return ToQString(name);
}

std::optional<double> AverageWidthShare(const std::string& name) {
    for (const MeasuredFace& face : kMeasuredFaces) {
        if (SameText(name, face.name)) return face.averageWidth;
    }
    return std::nullopt;
}

double AverageWidth(const QFont& font) {
    return QFontMetricsF(font).horizontalAdvance(kAlphabet) / static_cast<double>(kAlphabet.size());
}

// Stretched to an average no wider than wanted. A stretch may pick a condensed face of the family rather
// than scale the one measured, so the result is measured again.
void NarrowTo(QFont& font, double wanted) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        const double average = AverageWidth(font);
        if (average <= wanted) return;
        font.setStretch(
            std::max<int>(QFont::UltraCondensed, static_cast<int>(font.stretch() * wanted / average)));
    }
}

}  // namespace

QFont FontFor(const TFont& font) {
    QFont result(FamilyFor(font.Name));
    if (font.Height != 0) result.setPixelSize(std::abs(font.Height));
    if (const auto share = AverageWidthShare(font.Name)) {
        result.setStretch(QFont::Unstretched);
        NarrowTo(result, *share * QFontInfo(result).pixelSize());
    }
    return result;
}

}  // namespace qtbackend
