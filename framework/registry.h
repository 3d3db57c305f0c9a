// A registry object: a root key, at most one open key under it, and typed access to that key's values.
// Every failure raises ERegistryException naming the key, the value and the cause.
#pragma once

#include <optional>
#include <string>

#include "framework/object.h"
#include "platform/api.h"

class TRegistry : public TObject {
  public:
    TRegistry() = default;
    ~TRegistry() override { CloseKey(); }

    HKEY RootKey() const { return rootKey_; }
    // Switching the root closes the open key, so the next path counts from the new root.
    void SetRootKey(HKEY root);
    HKEY CurrentKey() const { return currentKey_; }
    // The open key's path from its root, as "HKEY_CURRENT_USER\Software\...".
    std::string CurrentPath() const;

    // Opens key (from the root when it starts with a backslash or nothing is open, else below the open
    // key), creating it when canCreate holds; throws when it cannot.
    void OpenKey(const std::string& key, bool canCreate);
    // Opens key as OpenKey does without creating it; false when it is not there.
    bool OpenExistingKey(const std::string& key);
    void CloseKey();
    // Whether key (counted as OpenKey counts it) is there; one this user may not open is there all the same.
    bool KeyExists(const std::string& key) const;

    // The text of a string value up to its first NUL, or "" when there is no such value; a value of
    // another type is an error.
    std::string ReadString(const std::string& name) const;
    // ReadString, but nothing when there is no such value.
    std::optional<std::string> FindString(const std::string& name) const;
    // Stores value and its terminating NUL as a string value, every byte of value included.
    void WriteString(const std::string& name, const std::string& value);
    // True when a value was deleted.
    bool DeleteValue(const std::string& name);

  protected:
    // Creates or opens key relative to the open key (or the root), giving the handle and its path.
    LSTATUS TryOpenRelative(const std::string& key, bool canCreate, HKEY& opened, std::string& path) const;
    [[noreturn]] void FailToOpen(const std::string& path, bool canCreate, LSTATUS code) const;
    // Makes key the open one for the length of an operation (see TRegIniFile).
    void SwapCurrentKey(HKEY& key, std::string& path);
    [[noreturn]] void Fail(const std::string& what, const std::string& valueName, LSTATUS code) const;

  private:
    // The outcome of TryOpenRelative made the open key, or thrown.
    void Adopt(LSTATUS status, HKEY opened, std::string& path, bool canCreate);
    // Without an open key, values belong to the root itself, as with Win32.
    HKEY Target() const { return currentKey_ != nullptr ? currentKey_ : rootKey_; }

    HKEY rootKey_ = HKEY_CURRENT_USER;
    HKEY currentKey_ = nullptr;
    std::string currentPath_;
};
