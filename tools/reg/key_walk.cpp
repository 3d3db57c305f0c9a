#include "tools/reg/key_walk.h"

#include <utility>

namespace regtool {

namespace {

// A key being walked and the subkeys of it still to walk.
struct Level {
    KeyPath path;
    RegistryKey key;
    std::vector<std::string> subkeys;
    std::size_t next = 0;
};

}  // namespace

void WalkKeys(
    const KeyPath& top,
    const std::function<void(const KeyPath&, const RegistryKey&, const std::vector<std::string>&)>& visit) {
    std::vector<Level> levels;
    auto enter = [&](KeyPath path, RegistryKey key) {
        std::vector<std::string> subkeys = key.Subkeys();
        visit(path, key, subkeys);
        levels.push_back({std::move(path), std::move(key), std::move(subkeys)});
    };
    enter(top, RegistryKey::OpenExisting(top));
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.subkeys.size()) {
            levels.pop_back();
            continue;
        }
        const std::string& name = level.subkeys[level.next++];
        enter(level.path.Child(name), level.key.OpenSubkey(name));
    }
}

}  // namespace regtool
