// Command lines split into arguments as a Windows program's C runtime splits its own, so that parameters
// written for Windows reach a program here as the same words, and nothing in them is interpreted.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace posix {

// Words separated by blanks (space, tab). Double quotes group; backslashes are literal except before a
// double quote: 2n backslashes and a quote give n backslashes and the quote opens or closes a group, 2n+1
// give n backslashes and a literal quote; in a group, a doubled quote is a literal quote. Everything else
// (apostrophes, '#', '$', ';', backquotes...) is plain. Every text splits: an unclosed group runs to the
// end; blank text gives no word.
std::vector<std::string> SplitArguments(std::string_view parameters);

// A whole command line: the program's name first, by the runtime's own rule for it (a blank outside
// quotes ends it, quotes group and are dropped, backslashes are always literal), then its arguments as
// above. Blanks before the name are skipped; blank text gives no word.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace posix
