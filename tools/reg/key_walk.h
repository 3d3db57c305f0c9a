// Every key of a tree, one after the other, without recursion: a tree deeper than the stack allows (made
// before its depth was limited, or by another tool) is walked like any other.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/reg/key_path.h"
#include "tools/reg/registry_key.h"

namespace regtool {

// Calls `visit` for `top` and then for each key below it, a key before its subkeys and subkeys in name order,
// with the key's subkey names. Each key is opened from its parent, so a key costs one step at any depth.
// Throws ToolError when `top` is missing.
void WalkKeys(
    const KeyPath& top,
    const std::function<void(const KeyPath&, const RegistryKey&, const std::vector<std::string>&)>& visit);

}  // namespace regtool
