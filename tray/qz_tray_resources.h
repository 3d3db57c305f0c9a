// The tray component's list of icon resource names: replacing a name in place tells the tray; adding,
// inserting, deleting, clearing and assigning do not.
#pragma once

#include "framework/string_list.h"

class TqzTray;

class TqzTrayResources : public TStringList {
  public:
    explicit TqzTrayResources(TqzTray* tray) : Tray(tray) {}

    TqzTray* Tray;  // the owning tray, not owned

    void Put(int index, const std::string& text) override;
};
