#include "tray/qz_tray_icon.h"

#include "tray/qz_tray.h"

void TqzTrayIcon::Assign(const TIcon& source) {
    TIcon::Assign(source);
    if (Tray != nullptr) Tray->IconChanged();
}
