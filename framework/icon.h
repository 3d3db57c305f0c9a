// An icon image: a handle to an icon of the program's own resources (shared, never destroyed here) and
// the resource's name.
#pragma once

#include <string>

#include "framework/object.h"
#include "platform/api.h"

class TIcon : public TObject {
  public:
    HICON Handle() const { return handle_; }
    bool Empty() const { return handle_ == nullptr; }
    const std::string& ResourceName() const { return resourceName_; }
    // Takes the named icon of the program's resources; an unknown name leaves the icon empty.
    void LoadFromResourceName(const std::string& name);
    // Makes this icon show the same image as source.
    virtual void Assign(const TIcon& source);

  private:
    HICON handle_ = nullptr;
    std::string resourceName_;
};
