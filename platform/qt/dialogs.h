// The open dialog: Qt's file dialog for one existing file, waited for without blocking the tray.
#pragma once

#include <optional>
#include <string>

#include "framework/widgetset.h"

namespace qtbackend {

std::optional<std::string> ExecuteOpenFileDialog(const widgetset::OpenFileRequest& request);

}  // namespace qtbackend
