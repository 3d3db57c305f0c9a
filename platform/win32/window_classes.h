// The window classes of our own: forms, plain containers and the hidden windows of the back end. Each is
// registered on first use with the system's default procedure; peers subclass their windows.
#pragma once

namespace win32backend {

const char* FormWindowClass();
const char* PlainWindowClass();
const char* HiddenWindowClass();

}  // namespace win32backend
