// Small text helpers shared by the framework.
#pragma once

#include <cstddef>
#include <string_view>

// Compares two names as form files and the registry do: ASCII letters without regard to case.
bool SameText(std::string_view a, std::string_view b);

// The number of characters in text as a field counts them: code points of UTF-8 outside Windows, bytes of
// the ANSI code page on Windows.
std::size_t CharacterCount(std::string_view text);

// The first count characters of text, counted as CharacterCount counts them, never splitting one.
std::string_view FirstCharacters(std::string_view text, std::size_t count);
