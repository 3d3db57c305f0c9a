// How the "Run Application" text becomes a program and its parameters: cut at the first space.
#pragma once

#include <string>

struct RunCommand {
    std::string file;
    std::string parameters;
    bool operator==(const RunCommand&) const = default;
};

// The file is everything before the first space (code 32; a tab does not separate), the parameters at
// most 255 characters after it; without a space, the whole text is the file. Nothing is trimmed and
// quotes have no meaning.
RunCommand SplitRunCommand(const std::string& text);
