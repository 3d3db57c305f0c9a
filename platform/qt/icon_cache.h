// The program's embedded icons as Qt icons. A handle is the address of the icon's entry in the embedded
// table: stable, distinct per name and never null; each icon is decoded once, on first use.
#pragma once

#include <QIcon>
#include <string_view>

#include "platform/posix/core/win32_api.h"

namespace qtbackend {

// Null for a name that is not embedded. Needs no QApplication.
HICON IconHandle(std::string_view name);
// The decoded icon; a null QIcon for a handle that is not ours.
QIcon IconOf(HICON handle);
QIcon IconNamed(std::string_view name);

}  // namespace qtbackend
