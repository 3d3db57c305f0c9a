// The classes that a form file may name. The framework's own controls are always known; a program adds
// its component classes once at start.
#pragma once

#include <string_view>

#include "framework/class_info.h"

void RegisterClass(const ClassInfo& info);
// The registered class of that name (case-insensitive), or null.
const ClassInfo* FindClass(std::string_view name);
