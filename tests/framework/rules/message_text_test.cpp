#include "framework/rules/message_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "framework/rules/marked_cut.h"

namespace {

const std::string kMark(kCutMark);

// Checked against a reader cutting by hand over random texts of one- to four-byte characters: whole
// characters taken from the start while they fit in head bytes, from the end while they fit in tail bytes,
// the mark between; the text whole when nothing need be left out.
TEST(MarkedCutTest, KeepsTheWholeCharactersWithinItsBoundsAndMarksWhatItLeavesOut) {
    const std::string alphabet[] = {"a", " ", "\xC3\xA9", "\xE6\x97\xA5", "\xF0\x9F\x94\x94"};
    std::mt19937 random(34);
    for (int scenario = 0; scenario < 3000; ++scenario) {
        std::vector<std::string> characters(random() % 10);
        std::string text;
        for (std::string& character : characters) text += character = alphabet[random() % std::size(alphabet)];
        const std::size_t head = random() % 14;
        const std::size_t tail = random() % 14;
        std::string start;
        for (auto c = characters.begin(); c != characters.end() && start.size() + c->size() <= head; ++c)
            start += *c;
        std::string end;
        for (auto c = characters.rbegin(); c != characters.rend() && end.size() + c->size() <= tail; ++c)
            end.insert(0, *c);
        const std::string expected = text.size() <= head + tail ? text : start + kMark + end;
        ASSERT_EQ(MarkedCut(text, head, tail), expected)
            << "head " << head << ", tail " << tail << ": " << text;
    }
}

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
        {std::string(100, 'x') + "   ", 53, std::string(50, 'x') + kMark},
        {"   " + std::string(60, 'x'), 23, "   " + std::string(17, 'x') + kMark},
        // Two-byte characters in a box of an odd number of bytes: never half of one.
        {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", 8, "\xC3\xA9\xC3\xA9" + kMark},
        {"nothing fits", 2, kMark},
    };
    for (const auto& [text, bytes, shown] : cases) {
        EXPECT_EQ(FittedMessageText(text, Holding(bytes)), shown) << text;
    }
}

// A name or a stored value that makes the box too wide or too long is cut in its middle, and the words that
// say what is wrong show whole: in a box of 300 bytes whose lines hold 60 bytes and break only at blanks.
TEST(MessageTextTest, AQuotedPartIsCutBeforeTheWordsAroundIt) {
    const auto box = [](std::string_view text) {
        std::size_t run = 0;
        for (const char c : text) {
            run = c == ' ' ? 0 : run + 1;
            if (run > 60) return false;
        }
        return text.size() <= 300;
    };
    const std::string reason = ": No such file or directory";
    EXPECT_EQ(FittedMessageText("Cannot run " + std::string(100'000, 'p') + reason, box),
              "Cannot run " + std::string(29, 'p') + kMark + std::string(27, 'p') + reason);
    const std::string why =
        ":00\" could never go off: that is no time of day. It is not set; set a new one in the settings "
        "window.";
    std::string hour;
    while (hour.size() < (1 << 20)) hour += "12 ";
    const std::string shown = FittedMessageText("The alarm stored for \"" + hour + why, box);
    EXPECT_EQ(shown.rfind("The alarm stored for \"12 12 ", 0), 0u) << shown;
    EXPECT_NE(shown.find(kMark), std::string::npos) << shown;
    EXPECT_EQ(shown.substr(shown.size() - why.size() - 10), " 12 12 12 " + why) << shown;
    EXPECT_GT(shown.size(), 290u);
    EXPECT_LE(shown.size(), 300u);
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
