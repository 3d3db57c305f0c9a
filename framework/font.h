// A control's font as the layout gives it: face name, height in pixels (negative: character height at
// 96 dpi), character set and colour.
#pragma once

#include <string>

struct TFont {
    std::string Name = "MS Sans Serif";
    int Height = -11;
    int Charset = 1;          // DEFAULT_CHARSET
    long Color = 0x80000008;  // clWindowText

    bool operator==(const TFont&) const = default;
};
