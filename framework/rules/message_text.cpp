#include "framework/rules/message_text.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "framework/rules/marked_cut.h"

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

// The first keptEnd bytes of text (whole characters, and fewer than all) with the mark after them; blanks
// before the mark would only push it onto a line of its own.
std::string Marked(std::string_view text, std::size_t keptEnd) {
    while (keptEnd > 0 && IsBlank(text[keptEnd - 1])) --keptEnd;
    return MarkedCut(text, keptEnd);
}

// A part of a text, as byte offsets.
struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t size() const { return end - begin; }
};

// The part a cut may shorten: the longest one between two quotation marks or without a blank, the two ways
// the texts set apart a name or a value they were given.
Span QuotedPart(std::string_view text) {
    Span longest;
    const auto consider = [&](Span span) {
        if (span.size() > longest.size()) longest = span;
    };
    for (std::size_t open = text.find('"'); open != std::string_view::npos;) {
        const std::size_t close = text.find('"', open + 1);
        if (close == std::string_view::npos) break;
        consider({open + 1, close});
        open = text.find('"', close + 1);
    }
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = at;
        while (end < text.size() && !IsBlank(text[end])) ++end;
        consider({at, end});
        at = end + 1;
    }
    return longest;
}

std::size_t CharacterCount(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), StartsCharacter));
}

// The text with the middle of its quoted part cut out so that it fits, keeping as much of that part's start
// and end as fits; none where the rest of the text does not fit even so.
std::optional<std::string> WithQuotedPartCut(std::string_view text,
                                             const std::function<bool(std::string_view)>& fits) {
    const Span part = QuotedPart(text);
    const std::string_view before = text.substr(0, part.begin);
    const std::string_view quoted = text.substr(part.begin, part.size());
    const std::string_view after = text.substr(part.end);
    const std::size_t rest = CharacterCount(before) + CharacterCount(after);
    // A text that is all one part, or with only blanks around it, says nothing else to keep.
    const auto saysSomething = [](std::string_view words) {
        return !std::all_of(words.begin(), words.end(), IsBlank);
    };
    if (quoted.empty() || rest >= kMostMessageCharacters || !(saysSomething(before) || saysSomething(after)))
        return std::nullopt;
    const std::vector<std::size_t> starts = CharacterEnds(quoted, kMostMessageCharacters - rest);
    const std::size_t quotedCount = CharacterCount(quoted);
    // Of `count` characters kept, the first half from the part's start and the rest from its end.
    const auto cut = [&](std::size_t count) {
        const std::size_t head = (count + 1) / 2;
        std::size_t tailStart = quoted.size();
        for (std::size_t taken = 0; taken < count - head && tailStart > 0;) {
            if (StartsCharacter(quoted[--tailStart])) ++taken;
        }
        std::string shown(before);
        shown.append(MarkedCut(quoted, starts[head], quoted.size() - tailStart));
        shown.append(after);
        return shown;
    };
    if (!fits(cut(0))) return std::nullopt;
    std::size_t fitting = 0;
    std::size_t tooMany = std::min(quotedCount, starts.size() - 1);
    while (tooMany - fitting > 1) {
        const std::size_t middle = fitting + (tooMany - fitting) / 2;
        (fits(cut(middle)) ? fitting : tooMany) = middle;
    }
    return cut(fitting);
}

}  // namespace

std::string FittedMessageText(std::string_view text, const std::function<bool(std::string_view)>& fits) {
    const std::vector<std::size_t> ends = CharacterEnds(text, kMostMessageCharacters);
    const bool wholeMeasured = ends.back() == text.size();
    if (wholeMeasured && fits(text)) return std::string(text);
    if (std::optional<std::string> shortened = WithQuotedPartCut(text, fits)) return *std::move(shortened);

    // The most characters that fit before the mark: a box is taken to hold the mark alone, and not the
    // whole text (nor more than is measured).
    std::size_t fitting = 0;
    std::size_t tooMany = wholeMeasured ? ends.size() - 1 : ends.size();
    while (tooMany - fitting > 1) {
        const std::size_t middle = fitting + (tooMany - fitting) / 2;
        (fits(Marked(text, ends[middle])) ? fitting : tooMany) = middle;
    }

    // A line's or word's end close before the cut, where the kept text is not only blanks.
    const std::size_t reachEnd = fitting > kWordEndReach ? fitting - kWordEndReach : 0;
    for (std::size_t count = fitting; count > reachEnd; --count) {
        if (!IsBlank(text[ends[count]])) continue;
        const std::string atWordEnd = Marked(text, ends[count]);
        if (count == fitting || (atWordEnd.size() > kCutMark.size() && fits(atWordEnd))) return atWordEnd;
        break;
    }
    return Marked(text, ends[fitting]);
}
