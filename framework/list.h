// An ordered list of pointers with stable indexes, for lists of records that their owner manages.
#pragma once

#include <vector>

#include "framework/object.h"

class TList : public TObject {
  public:
    int Add(void* item);
    int Count() const { return static_cast<int>(items_.size()); }
    // Throws EListError outside 0..Count()-1.
    void* Items(int index) const;

  private:
    std::vector<void*> items_;
};
