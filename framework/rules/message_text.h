// How much of a message a box shows, one rule for every back end: the whole text where it fits a box on the
// screen; else, where that makes it fit, the text with its quoted part (a name or a stored value, the longest
// part between quotation marks or without a blank) cut in its middle, so that the words around it, which say
// what is wrong, show whole; else the longest beginning that fits with the mark after it (marked_cut.h), cut
// between characters and, where one is near, at the end of a line or a word. The back end answers whether a
// text fits, measured with its own toolkit on the screen where the box shows; where its measure must err, it
// answers no.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// The most characters of a text that are ever measured: more than a box on any screen holds, and few
// enough that the dozen or so measures a cut takes are a moment's work however long the text is.
inline constexpr std::size_t kMostMessageCharacters = 16384;

// The text a box shows of text (UTF-8). fits is asked only about texts of at most kMostMessageCharacters
// characters and the mark.
std::string FittedMessageText(std::string_view text, const std::function<bool(std::string_view)>& fits);
