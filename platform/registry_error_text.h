// Human-readable text for a registry status code, for messages shown to the user.
#pragma once

#include <string>

#include "platform/api.h"

// The system's wording for `code`. When the last registry failure on this thread returned `code` and carried
// a detail (such as the database file and what is wrong with it), the detail is appended.
std::string RegistryErrorText(LSTATUS code);
