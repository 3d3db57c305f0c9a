// The HKEY values given out by the registry functions, and the keys they stand for.
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>

#include "platform/api.h"

namespace registry {

class HandleTable {
  public:
    HKEY Issue(std::int64_t key);
    // Closing a predefined root succeeds and changes nothing, as on Windows. False for an unknown handle.
    bool Release(HKEY handle);
    // The key behind an issued handle or one of the roots we keep.
    std::optional<std::int64_t> KeyOf(HKEY handle) const;
    // Forgets every issued handle; numbers are never reused, so forgotten handles stay invalid.
    void Clear();
    // The keys from `first` on were undone with the writes that made them, and their ids will be given
    // again: their handles now name no key, as handles of deleted keys do.
    void ForgetKeysFrom(std::int64_t first);

  private:
    std::unordered_map<std::uintptr_t, std::int64_t> issued_;
    std::uintptr_t next_ = 1;
};

}  // namespace registry
