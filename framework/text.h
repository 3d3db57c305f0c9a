// Small text helpers shared by the framework.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Compares two names as form files and the registry do: ASCII letters without regard to case.
bool SameText(std::string_view a, std::string_view b);

// The number of characters in text as a field counts them: the characters of the "A" functions' code page
// (CharNextA's steps), which the platform decides.
std::size_t CharacterCount(const std::string& text);

// The first count characters of text, counted as CharacterCount counts them, never splitting one.
std::string FirstCharacters(const std::string& text, std::size_t count);
