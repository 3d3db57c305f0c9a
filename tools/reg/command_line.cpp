#include "tools/reg/command_line.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "tools/reg/tool_error.h"

namespace regtool {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

struct VerbRules {
    std::size_t operands;
    std::set<std::string> options;
};

const std::map<std::string, VerbRules>& Verbs() {
    static const std::map<std::string, VerbRules> verbs = {
        {"query", {1, {"v", "ve", "s"}}},
        {"add", {1, {"v", "ve", "t", "d", "s", "f"}}},
        {"delete", {1, {"v", "ve", "va", "f"}}},
        {"export", {2, {"y"}}},
        {"import", {1, {}}},
    };
    return verbs;
}

// "/v", "-VE": a switch followed by letters only, so that "/home/me/file.reg" stays an operand.
bool LooksLikeOption(const std::string& argument) {
    return argument.size() >= 2 && (argument[0] == '/' || argument[0] == '-') &&
           std::all_of(argument.begin() + 1, argument.end(), [](unsigned char c) { return std::isalpha(c); });
}

[[noreturn]] void Invalid(const std::string& why) { throw ToolError("Invalid syntax: " + why + "."); }

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty()) Invalid("expected QUERY, ADD, DELETE, EXPORT or IMPORT");
    CommandLine command;
    command.verb = Lower(arguments[0]);
    auto rules = Verbs().find(command.verb);
    if (rules == Verbs().end()) Invalid("unknown operation " + arguments[0]);
    std::set<std::string> seen;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!LooksLikeOption(argument)) {
            command.operands.push_back(argument);
            continue;
        }
        std::string option = Lower(argument.substr(1));
        if (!rules->second.options.count(option)) Invalid("unknown option " + argument);
        if (!seen.insert(option).second) Invalid("option " + argument + " given twice");
        bool takesValue =
            option == "v" || option == "t" || option == "d" || (option == "s" && command.verb == "add");
        if (takesValue && i + 1 == arguments.size()) Invalid("option " + argument + " needs a value");
        std::string value = takesValue ? arguments[++i] : std::string();
        if (option == "v") command.valueName = value;
        if (option == "ve") command.valueName = "";
        if (option == "va") command.allValues = true;
        if (option == "s" && !takesValue) command.recurse = true;
        if (option == "f" || option == "y") command.force = true;
        if (option == "t") command.type = value;
        if (option == "d") command.data = value;
        if (option == "s" && takesValue) command.separator = value;
    }
    if (command.operands.size() != rules->second.operands)
        Invalid("wrong number of operands for " + arguments[0]);
    if (seen.count("v") + seen.count("ve") + seen.count("va") > 1)
        Invalid("/v, /ve and /va exclude each other");
    return command;
}

}  // namespace regtool
