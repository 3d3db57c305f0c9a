#include "framework/text.h"

#include <algorithm>
#include <cctype>

#include "platform/api.h"

// A plain loop: names are compared at every lookup of a property, component or handler, and the ranges
// algorithm costs many times more in a build without optimisation.
bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] &&
            std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
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
