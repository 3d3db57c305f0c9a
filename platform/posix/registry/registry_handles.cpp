#include "platform/posix/registry/registry_handles.h"

#include "platform/posix/registry/registry_schema.h"

namespace registry {

namespace {

std::uintptr_t Number(HKEY handle) { return reinterpret_cast<std::uintptr_t>(handle); }

std::optional<std::int64_t> RootKey(HKEY handle) {
    if (handle == HKEY_CURRENT_USER) return kCurrentUserKeyId;
    if (handle == HKEY_LOCAL_MACHINE) return kLocalMachineKeyId;
    return std::nullopt;
}

}  // namespace

HKEY HandleTable::Issue(std::int64_t key) {
    std::uintptr_t number = next_++;
    issued_.emplace(number, key);
    return reinterpret_cast<HKEY>(number);
}

bool HandleTable::Release(HKEY handle) {
    return RootKey(handle).has_value() || issued_.erase(Number(handle)) > 0;
}

std::optional<std::int64_t> HandleTable::KeyOf(HKEY handle) const {
    if (auto root = RootKey(handle)) return root;
    auto found = issued_.find(Number(handle));
    if (found == issued_.end()) return std::nullopt;
    return found->second;
}

void HandleTable::Clear() { issued_.clear(); }

void HandleTable::ForgetKeysFrom(std::int64_t first) {
    // Ids start at 1: 0 is a key that never exists.
    for (auto& [number, key] : issued_) {
        if (key >= first) key = 0;
    }
}

}  // namespace registry
