// A key whose values may be read but not changed, as a standard user finds the machine's keys under UAC.
// The registry file itself refuses the change (triggers in it), so the code under test meets the failure
// through the real registry functions.
#pragma once

#include <string>

#include "platform/api.h"

// Creates the key when it is missing, then denies every later change to its values, or to the one named.
void DenyValueChanges(HKEY root, const std::string& keyPath, const std::string& valueName = "");
