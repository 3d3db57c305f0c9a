#include "framework/message_text.h"

#include <algorithm>
#include <vector>

namespace {

// How far back from where the text stops fitting a line's or word's end is looked for, in characters: about
// a long word, so that a cut there gives up little of what would fit.
constexpr std::size_t kWordEndReach = 40;

// UTF-8 continuation bytes (10xxxxxx) do not start a character.
bool StartsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The beginning of text that ends before character count, for count from 0 to at most `most`, as byte
// offsets: the ends of the beginnings that a cut may keep.
std::vector<std::size_t> CharacterEnds(std::string_view text, std::size_t most) {
    std::vector<std::size_t> ends;
    for (std::size_t at = 0; at < text.size() && ends.size() <= most; ++at) {
        if (StartsCharacter(text[at])) ends.push_back(at);
    }
    if (ends.size() <= most) ends.push_back(text.size());
    return ends;
}

// The kept beginning with the mark after it; blanks before the mark would only push it onto a line of
// its own.
std::string Marked(std::string_view kept) {
    while (!kept.empty() && IsBlank(kept.back())) kept.remove_suffix(1);
    std::string marked(kept);
    marked += kMessageCutMark;
    return marked;
}

}  // namespace

std::string FittedMessageText(std::string_view text, const std::function<bool(std::string_view)>& fits) {
    const std::vector<std::size_t> ends = CharacterEnds(text, kMostMessageCharacters);
    const bool wholeMeasured = ends.back() == text.size();
    if (wholeMeasured && fits(text)) return std::string(text);

    // The most characters that fit before the mark: a box is taken to hold the mark alone, and not the
    // whole text (nor more than is measured).
    std::size_t fitting = 0;
    std::size_t tooMany = wholeMeasured ? ends.size() - 1 : ends.size();
    while (tooMany - fitting > 1) {
        const std::size_t middle = fitting + (tooMany - fitting) / 2;
        (fits(Marked(text.substr(0, ends[middle]))) ? fitting : tooMany) = middle;
    }

    // A line's or word's end close before the cut, where the kept text is not only blanks.
    const std::size_t reachEnd = fitting > kWordEndReach ? fitting - kWordEndReach : 0;
    for (std::size_t count = fitting; count > reachEnd; --count) {
        if (!IsBlank(text[ends[count]])) continue;
        const std::string atWordEnd = Marked(text.substr(0, ends[count]));
        if (count == fitting || (atWordEnd.size() > kMessageCutMark.size() && fits(atWordEnd)))
            return atWordEnd;
        break;
    }
    return Marked(text.substr(0, ends[fitting]));
}
