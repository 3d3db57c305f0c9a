// An open registry key owned by the tool, with the reads the commands share.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/api.h"
#include "tools/reg/key_path.h"
#include "tools/reg/tool_error.h"

namespace regtool {

struct RegistryValue {
    std::string name;  // empty for the default value
    DWORD type = REG_NONE;
    std::string data;
};

// Throws ToolError with the registry's text for `status` unless it is ERROR_SUCCESS.
void CheckStatus(LSTATUS status);

class RegistryKey {
  public:
    // Nothing when the key does not exist; other failures throw ToolError.
    static std::optional<RegistryKey> Open(const KeyPath& path);
    // Throws ToolError("...unable to find...") when the key does not exist.
    static RegistryKey OpenExisting(const KeyPath& path);
    static RegistryKey Create(const KeyPath& path);
    // A subkey that exists, opened from this key, so that walking a deep tree costs one step per key.
    RegistryKey OpenSubkey(const std::string& name) const;

    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&& other) noexcept;
    ~RegistryKey();

    HKEY handle() const { return handle_; }
    std::vector<RegistryValue> Values() const;
    std::vector<std::string> Subkeys() const;
    std::optional<RegistryValue> Find(const std::string& name) const;

  private:
    explicit RegistryKey(HKEY handle) : handle_(handle) {}
    // Nothing when parent has no such subkey; other failures throw ToolError.
    static std::optional<RegistryKey> OpenBelow(HKEY parent, const std::string& name);
    // The key, or ToolError("...unable to find...") for nothing.
    static RegistryKey Found(std::optional<RegistryKey> key);

    HKEY handle_ = nullptr;
};

// reg's wording for a missing key or value.
ToolError NotFound();

}  // namespace regtool
