// The program's icon files, compiled into the binary. Names follow the resource script (alarmclock.rc),
// so a back end without Win32 resources can still find an icon by the name a form or component uses.
#pragma once

#include <span>
#include <string_view>

struct EmbeddedIcon {
    std::string_view name;
    std::span<const unsigned char> data;  // the whole .ico file
};

// Every embedded icon: "MAINICON", then "FILLEDICON".
std::span<const EmbeddedIcon> EmbeddedIcons();

// The icon called name, compared case-insensitively as Win32 compares resource names; null if there is none.
const EmbeddedIcon* FindEmbeddedIcon(std::string_view name);
