#include "framework/list.h"

#include <algorithm>
#include <string>

#include "framework/exceptions.h"

int TList::Add(void* item) {
    items_.push_back(item);
    return Count() - 1;
}

void* TList::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<std::size_t>(index)];
}
