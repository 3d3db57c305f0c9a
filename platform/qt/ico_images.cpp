#include "platform/qt/ico_images.h"

#include <optional>

namespace qtbackend {

namespace {

constexpr std::size_t kDirectorySize = 6;    // ICONDIR
constexpr std::size_t kEntrySize = 16;       // ICONDIRENTRY
constexpr std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr std::uint32_t kUncompressed = 0;   // BI_RGB

// A little-endian field of the file; nothing where the file ends before it.
std::optional<std::uint32_t> Field(std::span<const std::uint8_t> file, std::size_t offset, std::size_t bytes) {
    if (offset > file.size() || file.size() - offset < bytes) return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = bytes; i-- > 0;) value = value << 8 | file[offset + i];
    return value;
}

// DIB rows are padded to whole 32-bit words.
std::size_t RowBytes(std::size_t width, std::size_t bits) { return (width * bits + 31) / 32 * 4; }

// The value of pixel x in a row of `bits`-bit pixels, the leftmost in a byte's high bits.
unsigned PixelIn(const std::uint8_t* row, std::size_t x, std::size_t bits) {
    const std::size_t bit = x * bits;
    return (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
}

// The DIB at `offset`: a palette image twice as high as the icon, its colours, then its AND mask.
QImage PaletteImage(std::span<const std::uint8_t> file, std::size_t offset) {
    const auto headerSize = Field(file, offset, 4);
    const auto width = Field(file, offset + 4, 4);
    const auto doubleHeight = Field(file, offset + 8, 4);
    const auto bits = Field(file, offset + 14, 2);
    const auto compression = Field(file, offset + 16, 4);
    const auto colorsUsed = Field(file, offset + 32, 4);
    if (!headerSize || *headerSize < kInfoHeaderSize || !width || !doubleHeight || !bits || !compression ||
        !colorsUsed || *compression != kUncompressed || (*bits != 1 && *bits != 4 && *bits != 8) ||
        *width == 0 || *width > 256 || *doubleHeight == 0 || *doubleHeight > 512 || *doubleHeight % 2 != 0) {
        return {};
    }
    const std::size_t height = *doubleHeight / 2;
    const std::size_t colors = *colorsUsed != 0 ? *colorsUsed : std::size_t{1} << *bits;
    const std::size_t palette = offset + *headerSize;
    const std::size_t pixels = palette + colors * 4;
    const std::size_t maskRows = pixels + RowBytes(*width, *bits) * height;
    const std::size_t end = maskRows + RowBytes(*width, 1) * height;
    if (colors > (std::size_t{1} << *bits) || end > file.size()) return {};

    QImage image(static_cast<int>(*width), static_cast<int>(height), QImage::Format_ARGB32_Premultiplied);
    for (std::size_t y = 0; y < height; ++y) {
        // Rows run bottom-up.
        const std::uint8_t* row = file.data() + pixels + RowBytes(*width, *bits) * (height - 1 - y);
        const std::uint8_t* mask = file.data() + maskRows + RowBytes(*width, 1) * (height - 1 - y);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
        for (std::size_t x = 0; x < *width; ++x) {
            const std::size_t index = PixelIn(row, x, *bits);
            if (PixelIn(mask, x, 1) != 0 || index >= colors) {
                line[x] = 0;
                continue;
            }
            const std::uint8_t* color = file.data() + palette + index * 4;  // blue, green, red, unused
            line[x] = qRgb(color[2], color[1], color[0]);
        }
    }
    return image;
}

}  // namespace

QList<QImage> IcoImages(std::span<const std::uint8_t> file) {
    QList<QImage> images;
    const auto count = Field(file, 4, 2);
    for (std::size_t i = 0; count && i < *count; ++i) {
        const auto offset = Field(file, kDirectorySize + i * kEntrySize + 12, 4);
        images.append(offset ? PaletteImage(file, *offset) : QImage());
    }
    return images;
}

}  // namespace qtbackend
