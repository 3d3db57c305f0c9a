#include "framework/rules/file_filter.h"

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

std::string Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

}  // namespace

std::vector<FileFilter> SplitFilter(std::string_view filter) {
    const std::vector<std::string_view> parts = Split(filter, '|');
    std::vector<FileFilter> filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        FileFilter pair{.description = Trimmed(parts[i]), .patterns = {}};
        for (std::string_view pattern : Split(parts[i + 1], ';')) {
            std::string trimmed = Trimmed(pattern);
            if (!trimmed.empty()) pair.patterns.push_back(std::move(trimmed));
        }
        if (!pair.patterns.empty()) filters.push_back(std::move(pair));
    }
    return filters;
}
