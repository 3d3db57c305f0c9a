// An open dialog's filter, "Description|*.a|Description|*.b;*.c", split once for the back ends: pairs of
// a description and its patterns, each without the spaces around it. A description without patterns (the
// last of an odd count, or one whose patterns are empty) is left out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;
    bool operator==(const FileFilter&) const = default;
};

std::vector<FileFilter> SplitFilter(std::string_view filter);
