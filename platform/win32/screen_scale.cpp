#include "platform/win32/screen_scale.h"

#include "platform/api.h"

namespace win32backend {

int ScreenDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int value = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

int Scaled(int layoutPixels) { return MulDiv(layoutPixels, ScreenDpi(), 96); }

}  // namespace win32backend
