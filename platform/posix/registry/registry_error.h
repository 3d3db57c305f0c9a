// The failure that registry internals throw; the Reg* entry points turn it into their return code.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/api.h"

namespace registry {

class RegistryError : public std::runtime_error {
  public:
    // `detail` is empty for ordinary outcomes such as a missing value, and names the file for database faults.
    explicit RegistryError(LSTATUS code, const std::string& detail = {})
        : std::runtime_error(detail), code_(code) {}

    LSTATUS code() const { return code_; }

  private:
    LSTATUS code_;
};

// Remembers the failure for RegistryErrorText on this thread.
void RecordRegistryFailure(const RegistryError& error);

}  // namespace registry
