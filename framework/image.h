// A picture on the form: an icon of the program's resources, named in the layout.
#pragma once

#include <string>

#include "framework/control.h"
#include "framework/icon.h"

class TImage : public TControl {
    DECLARE_CLASS_INFO
  public:
    using TControl::TControl;

    const TIcon& Picture() const { return picture_; }
    const std::string& PictureName() const { return picture_.ResourceName(); }
    void SetPictureName(const std::string& name);

  private:
    TIcon picture_;
};
