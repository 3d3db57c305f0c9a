#include "tray/qz_tray_resources.h"

#include "tray/qz_tray.h"

void TqzTrayResources::Put(int index, const std::string& text) {
    TStringList::Put(index, text);
    if (Tray != nullptr) Tray->IconChanged();
}
