#include "platform/posix/shell/shell_command_line.h"

namespace posix {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    return at;
}

// One argument from at, which is not a blank; at is left after it.
std::string ReadArgument(std::string_view text, std::size_t& at) {
    std::string word;
    bool quoted = false;
    while (at < text.size()) {
        std::size_t backslashes = 0;
        for (; at < text.size() && text[at] == '\\'; ++at) ++backslashes;
        if (at == text.size() || text[at] != '"') {
            word.append(backslashes, '\\');
            if (at == text.size() || (!quoted && IsBlank(text[at]))) break;
            word += text[at++];
            continue;
        }
        word.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
            word += '"';
        } else if (quoted && at + 1 < text.size() && text[at + 1] == '"') {
            word += '"';
            ++at;
        } else {
            quoted = !quoted;
        }
        ++at;
    }
    return word;
}

void AppendArguments(std::string_view text, std::size_t at, std::vector<std::string>& words) {
    for (at = SkipBlanks(text, at); at < text.size(); at = SkipBlanks(text, at))
        words.push_back(ReadArgument(text, at));
}

}  // namespace

std::vector<std::string> SplitArguments(std::string_view parameters) {
    std::vector<std::string> words;
    AppendArguments(parameters, 0, words);
    return words;
}

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::size_t at = SkipBlanks(commandLine, 0);
    if (at == commandLine.size()) return {};
    std::string program;
    bool quoted = false;
    for (; at < commandLine.size() && (quoted || !IsBlank(commandLine[at])); ++at) {
        if (commandLine[at] == '"') {
            quoted = !quoted;
        } else {
            program += commandLine[at];
        }
    }
    std::vector<std::string> words{program};
    AppendArguments(commandLine, at, words);
    return words;
}

}  // namespace posix
