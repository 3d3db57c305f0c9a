#include "platform/qt/fonts.h"

#include <QFontInfo>
#include <QFontMetrics>
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

// Stretched until what measure gives is no wider than wanted; whether it got there. A stretch may pick a
// condensed face of the family rather than scale the one measured, so each step is measured again.
template <class Measure>
bool NarrowTo(QFont& font, double wanted, const Measure& measure) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        const double width = measure(font);
        if (width <= wanted) return true;
        const int stretch = font.stretch() > 0 ? font.stretch() : int{QFont::Unstretched};
        if (stretch <= QFont::UltraCondensed) return false;
        font.setStretch(std::max<int>(QFont::UltraCondensed, static_cast<int>(stretch * wanted / width)));
    }
    return measure(font) <= wanted;
}

}  // namespace

QFont FontFor(const TFont& font) {
    QFont result(FamilyFor(font.Name));
    if (font.Height != 0) result.setPixelSize(std::abs(font.Height));
    if (const auto share = AverageWidthShare(font.Name)) {
        result.setStretch(QFont::Unstretched);
        NarrowTo(result, *share * QFontInfo(result).pixelSize(), AverageWidth);
    }
    return result;
}

QFont FittedToText(QFont font, const QString& text, int width) {
    // In whole pixels, as the widgets lay their texts out.
    const auto measure = [&text](const QFont& candidate) {
        return QFontMetrics(candidate).horizontalAdvance(text);
    };
    if (text.isEmpty() || NarrowTo(font, width, measure)) return font;
    for (int size = QFontInfo(font).pixelSize() - 1; size > 0 && measure(font) > width; --size) {
        font.setPixelSize(size);
    }
    return font;
}

}  // namespace qtbackend
