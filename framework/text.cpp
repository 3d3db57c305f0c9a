#include "framework/text.h"

#include <algorithm>
#include <cctype>

#include "platform/api.h"

bool SameText(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::size_t CharacterCount(const std::string& text) {
    std::size_t characters = 0;
    for (const char* next = text.c_str(); *next != '\0'; next = CharNextA(next)) ++characters;
    return characters;
}

std::string FirstCharacters(const std::string& text, std::size_t count) {
    const char* end = text.c_str();
    for (std::size_t characters = 0; characters < count && *end != '\0'; ++characters) end = CharNextA(end);
    return text.substr(0, static_cast<std::size_t>(end - text.c_str()));
}
