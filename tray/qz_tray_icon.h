// The tray component's explicit icon image: assigning a new image tells the tray.
#pragma once

#include "framework/icon.h"

class TqzTray;

class TqzTrayIcon : public TIcon {
  public:
    TqzTray* Tray = nullptr;  // the owning tray, not owned

    void Assign(const TIcon& source) override;
};
