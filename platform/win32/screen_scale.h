// Layouts are made for a 96-dpi screen: positions, sizes and font heights are scaled to the screen's.
#pragma once

namespace win32backend {

int ScreenDpi();
int Scaled(int layoutPixels);

}  // namespace win32backend
