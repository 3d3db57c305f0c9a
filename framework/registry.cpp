#include "framework/registry.h"

#include <utility>
#include <vector>

#include "framework/exceptions.h"
#include "platform/registry_error_text.h"

namespace {

std::string RootName(HKEY root) {
    if (root == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
    if (root == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
    if (root == HKEY_CLASSES_ROOT) return "HKEY_CLASSES_ROOT";
    if (root == HKEY_USERS) return "HKEY_USERS";
    return "an unknown root";
}

std::string Join(const std::string& base, const std::string& key) {
    if (key.empty()) return base;
    return base.empty() ? key : base + "\\" + key;
}

}  // namespace

void TRegistry::SetRootKey(HKEY root) {
    CloseKey();
    rootKey_ = root;
}

std::string TRegistry::CurrentPath() const { return Join(RootName(rootKey_), currentPath_); }

LSTATUS TRegistry::TryOpenRelative(const std::string& key, bool canCreate, HKEY& opened,
                                   std::string& path) const {
    const bool fromRoot = currentKey_ == nullptr || key.starts_with('\\');
    const std::string relative = key.starts_with('\\') ? key.substr(1) : key;
    const HKEY base = fromRoot ? rootKey_ : currentKey_;
    path = Join(fromRoot ? std::string() : currentPath_, relative);
    opened = nullptr;
    return canCreate ? RegCreateKeyExA(base, relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_ALL_ACCESS, nullptr, &opened, nullptr)
                     : RegOpenKeyExA(base, relative.c_str(), 0, KEY_ALL_ACCESS, &opened);
}

void TRegistry::FailToOpen(const std::string& path, bool canCreate, LSTATUS code) const {
    throw ERegistryException("Cannot " + std::string(canCreate ? "create" : "open") + " the key " +
                             Join(RootName(rootKey_), path) + ": " + RegistryErrorText(code));
}

void TRegistry::Adopt(LSTATUS status, HKEY opened, std::string& path, bool canCreate) {
    if (status != ERROR_SUCCESS) FailToOpen(path, canCreate, status);
    CloseKey();
    currentKey_ = opened;
    currentPath_ = std::move(path);
}

void TRegistry::OpenKey(const std::string& key, bool canCreate) {
    std::string path;
    HKEY opened = nullptr;
    const LSTATUS status = TryOpenRelative(key, canCreate, opened, path);
    Adopt(status, opened, path, canCreate);
}

bool TRegistry::OpenExistingKey(const std::string& key) {
    std::string path;
    HKEY opened = nullptr;
    const LSTATUS status = TryOpenRelative(key, false, opened, path);
    if (status == ERROR_FILE_NOT_FOUND) return false;
    Adopt(status, opened, path, false);
    return true;
}

void TRegistry::CloseKey() {
    if (currentKey_ != nullptr) RegCloseKey(currentKey_);
    currentKey_ = nullptr;
    currentPath_.clear();
}

void TRegistry::SwapCurrentKey(HKEY& key, std::string& path) {
    std::swap(currentKey_, key);
    std::swap(currentPath_, path);
}

void TRegistry::Fail(const std::string& what, const std::string& valueName, LSTATUS code) const {
    throw ERegistryException(what + " '" + valueName + "' in " + CurrentPath() + ": " +
                             RegistryErrorText(code));
}

bool TRegistry::KeyExists(const std::string& key) const {
    HKEY opened = nullptr;
    std::string path;
    const LSTATUS status = TryOpenRelative(key, false, opened, path);
    if (opened != nullptr) RegCloseKey(opened);
    return status != ERROR_FILE_NOT_FOUND;
}

std::string TRegistry::ReadString(const std::string& name) const { return FindString(name).value_or(""); }

std::optional<std::string> TRegistry::FindString(const std::string& name) const {
    const HKEY key = Target();
    DWORD type = REG_NONE;
    // A setting fits at the first query as a rule; a longer value is asked for again with the size told.
    // One byte more than the size given, for a NUL that the stored bytes may lack.
    std::vector<char> data(256, '\0');
    DWORD size = static_cast<DWORD>(data.size() - 1);
    const auto query = [&] {
        return RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    };
    LSTATUS status = query();
    if (status == ERROR_MORE_DATA) {
        data.assign(size + 1, '\0');
        status = query();
    }
    if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
    if (status != ERROR_SUCCESS) Fail("Cannot read the value", name, status);
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        throw ERegistryException("The value '" + name + "' in " + CurrentPath() +
                                 " is not a string (registry type " + std::to_string(type) + ")");
    }
    return std::string(data.data());
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
    const LSTATUS status =
        RegSetValueExA(Target(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    if (status != ERROR_SUCCESS) Fail("Cannot write the value", name, status);
}

bool TRegistry::DeleteValue(const std::string& name) {
    const LSTATUS status = RegDeleteValueA(Target(), name.c_str());
    if (status == ERROR_FILE_NOT_FOUND) return false;
    if (status != ERROR_SUCCESS) Fail("Cannot delete the value", name, status);
    return true;
}
