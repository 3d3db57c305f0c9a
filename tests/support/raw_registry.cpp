#include "tests/support/raw_registry.h"

#include <gtest/gtest.h>

std::optional<RawValue> ReadRawValue(HKEY root, const std::string& keyPath, const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    RawValue value{REG_NONE, std::string(4096, '\0')};
    DWORD size = static_cast<DWORD>(value.bytes.size());
    const LSTATUS status = RegQueryValueExA(key, name.c_str(), nullptr, &value.type,
                                            reinterpret_cast<BYTE*>(value.bytes.data()), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    value.bytes.resize(size);
    return value;
}

bool KeyExists(HKEY root, const std::string& keyPath) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

namespace {

void WriteRaw(HKEY root, const std::string& keyPath, const std::string& name, DWORD type, const void* data,
              DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

}  // namespace

void WriteRawString(HKEY root, const std::string& keyPath, const std::string& name, const std::string& text) {
    WriteRaw(root, keyPath, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void WriteRawDword(HKEY root, const std::string& keyPath, const std::string& name, DWORD number) {
    WriteRaw(root, keyPath, name, REG_DWORD, &number, sizeof number);
}
