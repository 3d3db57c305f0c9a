#include "platform/qt/fonts.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <algorithm>
#include <cstdlib>

#include "platform/measured_faces.h"
#include "platform/qt/captions.h"

namespace qtbackend {

namespace {

using measured_faces::AverageWidthShare;

const QString kAlphabet = QString::fromLatin1(measured_faces::kAlphabet);

// The layouts' faces are not installed here; Arial's metric twins often are (Liberation Sans, Nimbus Sans), and
// whatever fontconfig gives instead is narrowed to the face's widths. (No style hint: with one, Qt skips
// fontconfig's metric aliases.)
QString FamilyFor(const std::string& name) {
    return AverageWidthShare(name) ? QStringLiteral("Arial") : ToQString(name);
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
