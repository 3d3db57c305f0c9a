// A control's font as the layout gives it: face name, height in pixels (negative: character height at
// 96 dpi), character set and colour.
#pragma once

#include <string>

// The system's colour for window text, as a colour value that names a system colour.
inline constexpr int clWindowText = -16777208;

struct TFont {
    std::string Name = "MS Sans Serif";
    int Height = -11;
    int Charset = 1;  // DEFAULT_CHARSET
    int Color = clWindowText;

    bool operator==(const TFont&) const = default;
};
