#include "tools/reg/registry_key.h"

#include <utility>

#include "platform/registry_error_text.h"

namespace regtool {

namespace {

// Value names may be up to 16383 characters, key names up to 255.
constexpr DWORD kNameBufferSize = 16384;

}  // namespace

void CheckStatus(LSTATUS status) {
    if (status != ERROR_SUCCESS) throw ToolError(RegistryErrorText(status));
}

ToolError NotFound() { return ToolError("The system was unable to find the specified registry key or value."); }

std::optional<RegistryKey> RegistryKey::OpenBelow(HKEY parent, const std::string& name) {
    HKEY handle = nullptr;
    LSTATUS status = RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, &handle);
    if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
    CheckStatus(status);
    return RegistryKey(handle);
}

RegistryKey RegistryKey::Found(std::optional<RegistryKey> key) {
    if (!key) throw NotFound();
    return std::move(*key);
}

std::optional<RegistryKey> RegistryKey::Open(const KeyPath& path) { return OpenBelow(path.root, path.subkey); }

RegistryKey RegistryKey::OpenExisting(const KeyPath& path) { return Found(Open(path)); }

RegistryKey RegistryKey::Create(const KeyPath& path) {
    HKEY handle = nullptr;
    CheckStatus(RegCreateKeyExA(path.root, path.subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_ALL_ACCESS, nullptr, &handle, nullptr));
    return RegistryKey(handle);
}

RegistryKey RegistryKey::OpenSubkey(const std::string& name) const { return Found(OpenBelow(handle_, name)); }

RegistryKey::RegistryKey(RegistryKey&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
}

RegistryKey::~RegistryKey() {
    if (handle_ != nullptr) RegCloseKey(handle_);
}

std::vector<RegistryValue> RegistryKey::Values() const {
    std::vector<RegistryValue> values;
    std::string name(kNameBufferSize, '\0');
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = kNameBufferSize;
        DWORD dataSize = 0;
        LSTATUS status =
            RegEnumValueA(handle_, index, name.data(), &nameSize, nullptr, nullptr, nullptr, &dataSize);
        if (status == ERROR_NO_MORE_ITEMS) return values;
        CheckStatus(status);
        RegistryValue value{name.substr(0, nameSize), REG_NONE, std::string(dataSize, '\0')};
        nameSize = kNameBufferSize;
        CheckStatus(RegEnumValueA(handle_, index, name.data(), &nameSize, nullptr, &value.type,
                                  reinterpret_cast<BYTE*>(value.data.data()), &dataSize));
        values.push_back(std::move(value));
    }
}

std::vector<std::string> RegistryKey::Subkeys() const {
    std::vector<std::string> names;
    std::string name(kNameBufferSize, '\0');
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = kNameBufferSize;
        LSTATUS status =
            RegEnumKeyExA(handle_, index, name.data(), &nameSize, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) return names;
        CheckStatus(status);
        names.push_back(name.substr(0, nameSize));
    }
}

std::optional<RegistryValue> RegistryKey::Find(const std::string& name) const {
    RegistryValue value{name, REG_NONE, {}};
    DWORD size = 0;
    LSTATUS status = RegQueryValueExA(handle_, name.c_str(), nullptr, &value.type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
    CheckStatus(status);
    value.data.resize(size);
    CheckStatus(RegQueryValueExA(handle_, name.c_str(), nullptr, nullptr,
                                 reinterpret_cast<BYTE*>(value.data.data()), &size));
    return value;
}

}  // namespace regtool
