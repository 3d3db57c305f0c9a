#include "resources/embedded_icons.h"

#include <algorithm>

namespace {

// ASCII only: resource names are identifiers, and the C library's tolower would depend on the locale.
char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

}  // namespace

const EmbeddedIcon* FindEmbeddedIcon(std::string_view name) {
    for (const EmbeddedIcon& icon : EmbeddedIcons()) {
        if (SameName(icon.name, name)) return &icon;
    }
    return nullptr;
}
