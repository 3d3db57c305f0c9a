#include "framework/message_text.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::string kMark(kMessageCutMark);

// A box that holds a number of bytes, the mark included.
auto Holding(std::size_t bytes) {
    return [bytes](std::string_view text) { return text.size() <= bytes; };
}

TEST(MessageTextTest, ATextThatFitsIsShownWhole) {
    EXPECT_EQ(FittedMessageText("Wake up\r\nnow ", Holding(13)), "Wake up\r\nnow ");
}

TEST(MessageTextTest, ALongerTextIsCutAtALineOrWordEndNearTheCutElseBetweenCharacters) {
    const struct {
        std::string text;
        std::size_t bytes;
        std::string shown;
    } cases[] = {
        {"alpha beta gamma delta", 15, "alpha beta" + kMark},
        {"first line\r\nsecond line", 16, "first line" + kMark},  // no blank before the mark
        // No blank within reach of the cut, or only blanks before one.
        {std::string(100, 'x') + " y", 53, std::string(50, 'x') + kMark},
        {"   " + std::string(60, 'x'), 23, "   " + std::string(17, 'x') + kMark},
        // Two-byte characters in a box of an odd number of bytes: never half of one.
        {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", 8, "\xC3\xA9\xC3\xA9" + kMark},
        {"nothing fits", 2, kMark},
    };
    for (const auto& [text, bytes, shown] : cases) {
        EXPECT_EQ(FittedMessageText(text, Holding(bytes)), shown) << text;
    }
}

// However long the text, a bounded part of it is measured a few times, and what a box would hold of more is
// cut at that bound.
TEST(MessageTextTest, OfAMegabyteOnlyTheMostCharactersAreMeasuredAndAFewTimes) {
    std::string text;
    while (text.size() < (1 << 20)) text += "\xE6\x97\xA5 word ";  // a three-byte character, then a word
    for (const std::size_t bytes : {std::size_t{5000}, text.size()}) {
        std::size_t measures = 0;
        std::size_t mostMeasured = 0;
        const std::string shown = FittedMessageText(text, [&](std::string_view measured) {
            ++measures;
            mostMeasured = std::max(mostMeasured, measured.size());
            return measured.size() <= bytes;
        });
        const std::size_t kept = shown.size() - kMark.size();
        EXPECT_EQ(shown.substr(kept), kMark);
        EXPECT_EQ(text.substr(0, kept), shown.substr(0, kept));
        EXPECT_EQ(text.substr(kept, 1), " ");  // a word's end
        EXPECT_GT(kept, std::min(bytes, std::size_t{16384}) - 40 * 3);
        EXPECT_LE(mostMeasured, kMostMessageCharacters * 3 + kMark.size());
        EXPECT_LE(measures, 20u);
    }
}

}  // namespace
