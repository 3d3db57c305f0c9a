// Key and value names: comparison is ASCII case-insensitive; other bytes compare exactly.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace registry {

// The form under which names are compared and stored for lookups.
std::string FoldName(std::string_view name);

// Splits a backslash-separated subkey path into its key names. A null or empty path means the key itself and
// gives no names; one trailing backslash is tolerated. An empty or over-long key name throws RegistryError
// with ERROR_INVALID_PARAMETER.
std::vector<std::string> SplitKeyPath(const char* path);

// A key about to be created `depth` levels below its root: Windows allows 512. Deeper trees would only make
// every walk of them longer, and a walk that recursed would run out of stack. Throws ERROR_INVALID_PARAMETER.
void RequireCreatableDepth(std::size_t depth);

// A null value name is the default value, as is the empty name. Over-long names throw ERROR_INVALID_PARAMETER.
std::string_view ValueName(const char* name);

// A name about to be stored holds no line break: exported, it would end its line and let the rest read as
// keys and values of their own. Throws ERROR_INVALID_PARAMETER.
void RequireStorableName(std::string_view name);

}  // namespace registry
