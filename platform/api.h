// The platform seam: the Win32 subset that the program and the framework call, with Win32's names, types
// and record layouts. On Windows it is the real API; elsewhere our own implementation stands behind it.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#else
#include "platform/posix/win32_api.h"
#endif
