#include "framework/string_list.h"

#include <algorithm>

#include "framework/exceptions.h"

void TStringList::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit)
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

const std::string& TStringList::Strings(int index) const {
    CheckIndex(index, Count());
    return items_[static_cast<std::size_t>(index)];
}

void TStringList::Put(int index, const std::string& text) {
    CheckIndex(index, Count());
    items_[static_cast<std::size_t>(index)] = text;
}

int TStringList::Add(const std::string& text) {
    items_.push_back(text);
    return Count() - 1;
}

void TStringList::Insert(int index, const std::string& text) {
    CheckIndex(index, Count() + 1);
    items_.insert(items_.begin() + index, text);
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    items_.erase(items_.begin() + index);
}

void TStringList::Assign(const TStringList& source) {
    if (&source != this) items_ = source.items_;
}
