// The framework's classes that a form file may name.
#pragma once

#include <span>

#include "framework/class_info.h"

std::span<const ClassInfo* const> StandardClasses();
