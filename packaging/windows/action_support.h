// What the installer's custom actions share: the text the installer hands an action, and whether two paths
// name the same file.
#pragma once

#include <windows.h>
// The installer's header uses the types that windows.h declares.
#include <msiquery.h>

#include <string>

// The property's text; for a deferred action, which sees no properties, "CustomActionData" is the one the
// installer hands it. Empty when the property is missing.
std::wstring PropertyText(MSIHANDLE install, const wchar_t* name);
// Paths compared as Windows compares file names: without regard to case.
bool SamePath(const std::wstring& a, const std::wstring& b);
