#include "platform/registry_error_text.h"

#include "platform/win32/system_error_text.h"

std::string RegistryErrorText(LSTATUS code) { return win32backend::SystemErrorText(static_cast<DWORD>(code)); }
