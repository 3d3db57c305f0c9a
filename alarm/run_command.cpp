#include "alarm/run_command.h"

#include "framework/text.h"

RunCommand SplitRunCommand(const std::string& text) {
    constexpr std::size_t kMaxParameters = 255;
    const std::size_t space = text.find(' ');
    if (space == std::string::npos) return {text, ""};
    return {text.substr(0, space), FirstCharacters(text.substr(space + 1), kMaxParameters)};
}
