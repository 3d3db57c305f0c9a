// The Win32 registry functions over the process's registry session.
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/api.h"
#include "platform/posix/registry/registry_error.h"
#include "platform/posix/registry/registry_names.h"
#include "platform/posix/registry/registry_schema.h"
#include "platform/posix/registry/registry_session.h"

using registry::HandleTable;
using registry::IsRootKey;
using registry::RegistryError;
using registry::RegistryStore;
using registry::RequireCreatableDepth;
using registry::RequireStorableName;
using registry::RunHandleCall;
using registry::RunRegistryCall;
using registry::RunRegistryWrite;
using registry::SplitKeyPath;
using registry::StoredValue;
using registry::ValueName;

namespace {

// The key behind a handle, checked against the database: another handle or process may have deleted it.
std::int64_t KeyFor(RegistryStore& store, const HandleTable& handles, HKEY handle) {
    std::optional<std::int64_t> key = handles.KeyOf(handle);
    if (!key) throw RegistryError(ERROR_INVALID_HANDLE);
    if (!store.KeyExists(*key)) throw RegistryError(ERROR_KEY_DELETED);
    return *key;
}

std::optional<std::int64_t> Find(RegistryStore& store, std::int64_t key,
                                 const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        std::optional<std::int64_t> child = store.FindSubkey(key, name);
        if (!child) return std::nullopt;
        key = *child;
    }
    return key;
}

std::int64_t Descend(RegistryStore& store, std::int64_t key, const std::vector<std::string>& names) {
    std::optional<std::int64_t> found = Find(store, key, names);
    if (!found) throw RegistryError(ERROR_FILE_NOT_FOUND);
    return *found;
}

void Require(bool condition) {
    if (!condition) throw RegistryError(ERROR_INVALID_PARAMETER);
}

// Win32's protocol for variable-size data: no buffer asks for the size; a short buffer gets ERROR_MORE_DATA
// and the size needed.
void CopyData(std::string_view bytes, LPBYTE data, LPDWORD size) {
    DWORD needed = static_cast<DWORD>(bytes.size());
    if (data == nullptr) {
        if (size != nullptr) *size = needed;
        return;
    }
    DWORD room = *size;
    *size = needed;
    if (room < needed) throw RegistryError(ERROR_MORE_DATA);
    std::memcpy(data, bytes.data(), bytes.size());
}

// Names are counted in characters with room for the terminator; on success the count excludes it.
void CopyName(std::string_view name, LPSTR buffer, LPDWORD chars) {
    if (*chars <= name.size()) {
        *chars = static_cast<DWORD>(name.size() + 1);
        throw RegistryError(ERROR_MORE_DATA);
    }
    std::memcpy(buffer, name.data(), name.size());
    buffer[name.size()] = '\0';
    *chars = static_cast<DWORD>(name.size());
}

}  // namespace

LSTATUS WINAPI RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD options, REGSAM,
                               SECURITY_ATTRIBUTES*, PHKEY result, LPDWORD disposition) {
    return RunRegistryWrite([&](RegistryStore& store, HandleTable& handles) {
        Require(result != nullptr && options == REG_OPTION_NON_VOLATILE);
        std::vector<std::string> names = SplitKeyPath(subKey);
        // Mostly the key exists: finding it without the write lock lets the call run beside another
        // process's write.
        std::optional<std::int64_t> existing;
        store.Read([&] { existing = Find(store, KeyFor(store, handles, key), names); });
        bool created = false;
        std::int64_t id = existing.value_or(0);
        if (!existing) {
            store.Write([&] {
                id = KeyFor(store, handles, key);
                RequireCreatableDepth(store.Depth(id) + names.size());
                for (const std::string& name : names) {
                    std::optional<std::int64_t> child = store.FindSubkey(id, name);
                    if (!child) RequireStorableName(name);
                    created = created || !child;
                    id = child ? *child : store.AddSubkey(id, name);
                }
            });
        }
        *result = handles.Issue(id);
        if (disposition != nullptr) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
        return ERROR_SUCCESS;
    });
}

LSTATUS WINAPI RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM, PHKEY result) {
    return RunRegistryCall([&](RegistryStore& store, HandleTable& handles) {
        Require(result != nullptr);
        std::vector<std::string> names = SplitKeyPath(subKey);
        std::optional<std::int64_t> id;
        store.Read([&] { id = Find(store, KeyFor(store, handles, key), names); });
        if (!id) return ERROR_FILE_NOT_FOUND;
        *result = handles.Issue(*id);
        return ERROR_SUCCESS;
    });
}

LSTATUS WINAPI RegCloseKey(HKEY key) {
    return RunHandleCall([&](HandleTable& handles) {
        if (!handles.Release(key)) throw RegistryError(ERROR_INVALID_HANDLE);
    });
}

LSTATUS WINAPI RegSetValueExA(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD size) {
    return RunRegistryWrite([&](RegistryStore& store, HandleTable& handles) {
        Require(data != nullptr || size == 0);
        std::string_view name = ValueName(valueName);
        RequireStorableName(name);
        std::span<const std::uint8_t> bytes(data, data == nullptr ? 0 : size);
        store.Write([&] { store.SetValue(KeyFor(store, handles, key), name, type, bytes); });
        return ERROR_SUCCESS;
    });
}

LSTATUS WINAPI RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                LPDWORD size) {
    return RunRegistryCall([&](RegistryStore& store, HandleTable& handles) {
        Require(reserved == nullptr && (data == nullptr || size != nullptr));
        std::string_view name = ValueName(valueName);
        std::optional<StoredValue> value;
        store.Read([&] { value = store.FindValue(KeyFor(store, handles, key), name); });
        if (!value) return ERROR_FILE_NOT_FOUND;
        if (type != nullptr) *type = value->type;
        CopyData(value->data, data, size);
        return ERROR_SUCCESS;
    });
}

LSTATUS WINAPI RegDeleteValueA(HKEY key, LPCSTR valueName) {
    return RunRegistryWrite([&](RegistryStore& store, HandleTable& handles) {
        std::string_view name = ValueName(valueName);
        bool deleted = false;
        store.Write([&] { deleted = store.DeleteValue(KeyFor(store, handles, key), name); });
        return deleted ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
}

LSTATUS WINAPI RegEnumValueA(HKEY key, DWORD index, LPSTR valueName, LPDWORD valueNameSize, LPDWORD reserved,
                             LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    return RunRegistryCall([&](RegistryStore& store, HandleTable& handles) {
        Require(valueName != nullptr && valueNameSize != nullptr && reserved == nullptr &&
                (data == nullptr || dataSize != nullptr));
        std::optional<StoredValue> value;
        store.Read([&] { value = store.ValueAt(KeyFor(store, handles, key), index); });
        if (!value) return ERROR_NO_MORE_ITEMS;
        CopyName(value->name, valueName, valueNameSize);
        if (type != nullptr) *type = value->type;
        CopyData(value->data, data, dataSize);
        return ERROR_SUCCESS;
    });
}

LSTATUS WINAPI RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                             LPSTR keyClass, LPDWORD classSize, void* lastWriteTime) {
    return RunRegistryCall([&](RegistryStore& store, HandleTable& handles) {
        Require(name != nullptr && nameSize != nullptr && reserved == nullptr &&
                (keyClass == nullptr || classSize != nullptr));
        std::optional<std::string> subkey;
        store.Read([&] { subkey = store.SubkeyAt(KeyFor(store, handles, key), index); });
        if (!subkey) return ERROR_NO_MORE_ITEMS;
        CopyName(*subkey, name, nameSize);
        // Keys carry no class and no last-write time here: report an empty class and a zero FILETIME.
        if (keyClass != nullptr) CopyName("", keyClass, classSize);
        if (lastWriteTime != nullptr) std::memset(lastWriteTime, 0, 2 * sizeof(DWORD));
        return ERROR_SUCCESS;
    });
}

LSTATUS WINAPI RegDeleteTreeA(HKEY key, LPCSTR subKey) {
    return RunRegistryWrite([&](RegistryStore& store, HandleTable& handles) {
        std::vector<std::string> names = SplitKeyPath(subKey);
        store.Write([&] {
            std::int64_t target = Descend(store, KeyFor(store, handles, key), names);
            if (names.empty()) {
                store.ClearKey(target);
            } else {
                store.DeleteKeyTree(target);
            }
        });
        return ERROR_SUCCESS;
    });
}

LSTATUS WINAPI RegDeleteKeyA(HKEY key, LPCSTR subKey) {
    return RunRegistryWrite([&](RegistryStore& store, HandleTable& handles) {
        Require(subKey != nullptr);
        std::vector<std::string> names = SplitKeyPath(subKey);
        store.Write([&] {
            std::int64_t target = Descend(store, KeyFor(store, handles, key), names);
            // The roots cannot go, and only a key without subkeys can, as on Windows.
            if (IsRootKey(target) || store.HasSubkeys(target)) throw RegistryError(ERROR_ACCESS_DENIED);
            store.DeleteKeyTree(target);
        });
        return ERROR_SUCCESS;
    });
}
