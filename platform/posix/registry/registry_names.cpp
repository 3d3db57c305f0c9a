#include "platform/posix/registry/registry_names.h"

#include "platform/posix/registry/registry_error.h"

namespace registry {

namespace {

// The limits Windows documents for key and value names.
constexpr std::size_t kMaxKeyNameLength = 255;
constexpr std::size_t kMaxValueNameLength = 16383;
constexpr std::size_t kMaxKeyDepth = 512;

}  // namespace

std::string FoldName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

std::vector<std::string> SplitKeyPath(const char* path) {
    std::vector<std::string> names;
    std::string_view rest = path == nullptr ? std::string_view() : std::string_view(path);
    if (!rest.empty() && rest.back() == '\\') rest.remove_suffix(1);
    if (rest.empty()) return names;
    for (;;) {
        std::size_t end = rest.find('\\');
        std::string_view name = rest.substr(0, end);
        if (name.empty()) throw RegistryError(ERROR_INVALID_PARAMETER, "a key name is empty");
        if (name.size() > kMaxKeyNameLength) {
            throw RegistryError(ERROR_INVALID_PARAMETER, "a key name is longer than 255 characters");
        }
        names.emplace_back(name);
        if (end == std::string_view::npos) return names;
        rest.remove_prefix(end + 1);
    }
}

void RequireCreatableDepth(std::size_t depth) {
    if (depth > kMaxKeyDepth) {
        throw RegistryError(ERROR_INVALID_PARAMETER, "a key would be " + std::to_string(depth) +
                                                         " levels deep; the registry allows 512");
    }
}

std::string_view ValueName(const char* name) {
    std::string_view view = name == nullptr ? std::string_view() : std::string_view(name);
    if (view.size() > kMaxValueNameLength) {
        throw RegistryError(ERROR_INVALID_PARAMETER, "a value name is longer than 16383 characters");
    }
    return view;
}

void RequireStorableName(std::string_view name) {
    if (name.find_first_of("\r\n") != std::string_view::npos) {
        throw RegistryError(ERROR_INVALID_PARAMETER, "a name cannot hold a line break");
    }
}

}  // namespace registry
