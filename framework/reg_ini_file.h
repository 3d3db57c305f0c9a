// A registry object opened on a key path, reading and writing values by section (a subkey of the open
// key; empty for the open key itself) and name.
#pragma once

#include <functional>
#include <string>

#include "framework/registry.h"

class TRegIniFile : public TRegistry {
  public:
    // Opens fileName under the current user's root, creating it when it is missing.
    explicit TRegIniFile(const std::string& fileName);

    const std::string& FileName() const { return fileName_; }

    using TRegistry::ReadString;
    using TRegistry::WriteString;
    // The named string value of the section, or defaultValue when the section or the value is missing.
    std::string ReadString(const std::string& section, const std::string& name,
                           const std::string& defaultValue);
    // Creates the section when it is missing, then the value.
    void WriteString(const std::string& section, const std::string& name, const std::string& value);

  private:
    // Runs action with section as the open key; false when the section does not exist and may not be made.
    bool InSection(const std::string& section, bool canCreate, const std::function<void()>& action);

    std::string fileName_;
};
