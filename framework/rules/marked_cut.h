// Shortening a UTF-8 text for a reader: what is left out is marked with an ellipsis, and no cut falls inside
// a character. Every text the program shortens (a box's message, a file's name in an error) is cut so.
// Inline, as the posix shell's error box uses it too, which links no framework.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The mark where text was left out: an ellipsis, in UTF-8.
inline constexpr std::string_view kCutMark = "\xE2\x80\xA6";

// text with its middle left out and kCutMark in its place: of its start the whole characters within the
// first head bytes, of its end those within the last tail bytes. A text of head + tail bytes or fewer loses
// nothing and is returned whole.
inline std::string MarkedCut(std::string_view text, std::size_t head, std::size_t tail = 0) {
    if (tail >= text.size() || head >= text.size() - tail) return std::string(text);
    // A continuation byte (10xxxxxx) belongs to the character before it.
    const auto continues = [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; };
    std::size_t headEnd = head;
    while (headEnd > 0 && continues(text[headEnd])) --headEnd;
    std::size_t tailStart = text.size() - tail;
    while (tailStart < text.size() && continues(text[tailStart])) ++tailStart;
    std::string cut(text.substr(0, headEnd));
    cut += kCutMark;
    cut += text.substr(tailStart);
    return cut;
}
