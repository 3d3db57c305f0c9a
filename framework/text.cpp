#include "framework/text.h"

#include <algorithm>
#include <cctype>

bool SameText(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::size_t CharacterCount(std::string_view text) {
#ifdef _WIN32
    return text.size();
#else
    // UTF-8 continuation bytes (10xxxxxx) do not start a character.
    return static_cast<std::size_t>(
        std::ranges::count_if(text, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
#endif
}

std::string_view FirstCharacters(std::string_view text, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t characters = 0; end < text.size(); ++characters) {
        if (characters == count) break;
        ++end;
#ifndef _WIN32
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
#endif
    }
    return text.substr(0, end);
}
