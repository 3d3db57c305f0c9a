// Reads a registry value's type and exact bytes, bypassing the classes under test.
#pragma once

#include <optional>
#include <string>

#include "platform/api.h"

struct RawValue {
    DWORD type;
    std::string bytes;
    bool operator==(const RawValue&) const = default;
};

// Nothing when the key or the value is missing.
std::optional<RawValue> ReadRawValue(HKEY root, const std::string& keyPath, const std::string& name);
bool KeyExists(HKEY root, const std::string& keyPath);
// Writes a string value with its NUL, creating the key when it is missing.
void WriteRawString(HKEY root, const std::string& keyPath, const std::string& name, const std::string& text);
// Writes a number (REG_DWORD), creating the key when it is missing.
void WriteRawDword(HKEY root, const std::string& keyPath, const std::string& name, DWORD number);
