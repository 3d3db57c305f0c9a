#include "tools/reg/key_walk.h"

#include <utility>

namespace regtool {

namespace {

// A key being walked and the subkeys of it still to walk. Its path is the walk's one path cut to `pathLength`:
// a path per level would cost the square of the depth.
struct Level {
    std::size_t pathLength;
    RegistryKey key;
    std::vector<std::string> subkeys;
    std::size_t next = 0;
};

}  // namespace

void WalkKeys(
    const KeyPath& top,
    const std::function<void(const KeyPath&, const RegistryKey&, const std::vector<std::string>&)>& visit) {
    KeyPath path = top;
    std::vector<Level> levels;
    auto enter = [&](RegistryKey key) {
        std::vector<std::string> subkeys = key.Subkeys();
        visit(path, key, subkeys);
        levels.push_back({path.subkey.size(), std::move(key), std::move(subkeys)});
    };
    enter(RegistryKey::OpenExisting(top));
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.subkeys.size()) {
            levels.pop_back();
            continue;
        }
        const std::string& name = level.subkeys[level.next++];
        RegistryKey key = level.key.OpenSubkey(name);
        path.subkey.resize(level.pathLength);
        if (!path.subkey.empty()) path.subkey += '\\';
        path.subkey += name;
        enter(std::move(key));
    }
}

}  // namespace regtool
