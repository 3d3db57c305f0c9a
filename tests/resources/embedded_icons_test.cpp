#include "resources/embedded_icons.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

constexpr int kSize = 32;
constexpr std::size_t kDirectorySize = 6 + 16;  // ICONDIR with one ICONDIRENTRY
constexpr std::size_t kInfoHeaderSize = 40;     // BITMAPINFOHEADER
constexpr std::size_t kPaletteSize = 16 * 4;
constexpr std::size_t kXorSize = kSize * kSize / 2;  // 4 bits a pixel; a 32-pixel row is already 4-byte aligned
constexpr std::size_t kAndSize = kSize * kSize / 8;

struct Rgb {
    unsigned char r, g, b;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb kRed{255, 0, 0};

class Reader {
  public:
    explicit Reader(std::span<const unsigned char> bytes) : bytes_(bytes) {}
    unsigned Byte(std::size_t at) const {
        if (at >= bytes_.size()) throw std::out_of_range("read past the end of the icon");
        return bytes_[at];
    }
    std::uint16_t U16(std::size_t at) const { return static_cast<std::uint16_t>(Byte(at) | Byte(at + 1) << 8); }
    std::uint32_t U32(std::size_t at) const { return U16(at) | static_cast<std::uint32_t>(U16(at + 2)) << 16; }

  private:
    std::span<const unsigned char> bytes_;
};

// The single image of a one-image, 32x32, 4-bit icon file; the layout itself is checked by the tests below.
class IconImage {
  public:
    explicit IconImage(std::span<const unsigned char> file) : reader_(file) {
        std::uint32_t dib = reader_.U32(6 + 12);
        palette_ = dib + kInfoHeaderSize;
        xor_ = palette_ + kPaletteSize;
        and_ = xor_ + kXorSize;
    }

    // x and y count from the top left; the bitmaps are stored bottom row first.
    bool Opaque(int x, int y) const {
        unsigned maskByte = reader_.Byte(and_ + Row(y) * (kSize / 8) + x / 8);
        return (maskByte & (0x80u >> (x % 8))) == 0;
    }
    Rgb Colour(int x, int y) const {
        unsigned pair = reader_.Byte(xor_ + Row(y) * (kSize / 2) + x / 2);
        std::size_t entry = palette_ + 4 * (x % 2 == 0 ? pair >> 4 : pair & 0x0f);
        return {static_cast<unsigned char>(reader_.Byte(entry + 2)),
                static_cast<unsigned char>(reader_.Byte(entry + 1)),
                static_cast<unsigned char>(reader_.Byte(entry))};
    }

  private:
    static std::size_t Row(int y) { return static_cast<std::size_t>(kSize - 1 - y); }

    Reader reader_;
    std::size_t palette_, xor_, and_;
};

const EmbeddedIcon& Icon(std::string_view name) {
    const EmbeddedIcon* icon = FindEmbeddedIcon(name);
    if (icon == nullptr) throw std::logic_error("no embedded icon " + std::string(name));
    return *icon;
}

constexpr std::array<std::array<int, 2>, 4> kCorners{
    {{0, 0}, {kSize - 1, 0}, {0, kSize - 1}, {kSize - 1, kSize - 1}}};

TEST(EmbeddedIconsTest, ListsBothIconsInResourceScriptOrder) {
    auto icons = EmbeddedIcons();
    ASSERT_EQ(icons.size(), 2u);
    EXPECT_EQ(icons[0].name, "MAINICON");
    EXPECT_EQ(icons[1].name, "FILLEDICON");
}

TEST(EmbeddedIconsTest, EachIsOne32x32SixteenColourImage) {
    for (const EmbeddedIcon& icon : EmbeddedIcons()) {
        SCOPED_TRACE(icon.name);
        Reader file(icon.data);
        EXPECT_EQ(file.U16(0), 0u);  // reserved
        EXPECT_EQ(file.U16(2), 1u);  // an icon, not a cursor
        ASSERT_EQ(file.U16(4), 1u);  // one image

        EXPECT_EQ(file.Byte(6), 32u);
        EXPECT_EQ(file.Byte(7), 32u);
        EXPECT_EQ(file.U16(6 + 6), 4u);  // bits per pixel
        std::uint32_t imageSize = file.U32(6 + 8);
        std::uint32_t imageOffset = file.U32(6 + 12);
        EXPECT_EQ(imageOffset, kDirectorySize);
        EXPECT_EQ(imageSize, kInfoHeaderSize + kPaletteSize + kXorSize + kAndSize);
        EXPECT_EQ(icon.data.size(), std::size_t{imageOffset} + imageSize);

        EXPECT_EQ(file.U32(imageOffset), kInfoHeaderSize);
        EXPECT_EQ(file.U32(imageOffset + 4), 32u);  // width
        EXPECT_EQ(file.U32(imageOffset + 8), 64u);  // height: the colour bitmap and the mask together
        EXPECT_EQ(file.U16(imageOffset + 12), 1u);  // planes
        EXPECT_EQ(file.U16(imageOffset + 14), 4u);  // bits per pixel
        EXPECT_EQ(file.U32(imageOffset + 16), 0u);  // uncompressed
    }
}

TEST(EmbeddedIconsTest, MainIconIsABellOnATransparentGround) {
    IconImage image(Icon("MAINICON").data);
    for (auto [x, y] : kCorners) EXPECT_FALSE(image.Opaque(x, y)) << "corner " << x << "," << y;
    EXPECT_TRUE(image.Opaque(kSize / 2, kSize / 2));

    // The bell is drawn in greys only.
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            if (!image.Opaque(x, y)) continue;
            Rgb c = image.Colour(x, y);
            EXPECT_TRUE(c.r == c.g && c.g == c.b) << "pixel " << x << "," << y;
        }
    }
}

TEST(EmbeddedIconsTest, FilledIconIsTheSameBellOnAnOpaqueRedSquare) {
    IconImage main(Icon("MAINICON").data);
    IconImage filled(Icon("FILLEDICON").data);
    for (auto [x, y] : kCorners) EXPECT_EQ(filled.Colour(x, y), kRed) << "corner " << x << "," << y;

    int bellPixels = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
            EXPECT_TRUE(filled.Opaque(x, y));
            if (main.Opaque(x, y)) {
                ++bellPixels;
                EXPECT_EQ(filled.Colour(x, y), main.Colour(x, y));
            } else {
                EXPECT_EQ(filled.Colour(x, y), kRed);
            }
        }
    }
    // Neither a blank nor a solid main icon would make the comparison above mean anything.
    EXPECT_GT(bellPixels, kSize * kSize / 4);
    EXPECT_LT(bellPixels, kSize * kSize * 3 / 4);
}

TEST(EmbeddedIconsTest, FindsIconsByNameIgnoringCase) {
    auto icons = EmbeddedIcons();
    EXPECT_EQ(FindEmbeddedIcon("MAINICON"), &icons[0]);
    EXPECT_EQ(FindEmbeddedIcon("mainicon"), &icons[0]);
    EXPECT_EQ(FindEmbeddedIcon("FilledIcon"), &icons[1]);

    EXPECT_EQ(FindEmbeddedIcon(""), nullptr);
    EXPECT_EQ(FindEmbeddedIcon("MAIN"), nullptr);
    EXPECT_EQ(FindEmbeddedIcon("MAINICONS"), nullptr);
    EXPECT_EQ(FindEmbeddedIcon("BELL"), nullptr);
}

}  // namespace
