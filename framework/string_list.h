// A list of strings. Put, the replacement of one string, is virtual so that a descendant can react to it;
// adding, inserting, deleting, clearing and assigning are not.
#pragma once

#include <string>
#include <vector>

#include "framework/object.h"

class TStringList : public TObject {
  public:
    TStringList() = default;
    explicit TStringList(std::vector<std::string> items) : items_(std::move(items)) {}

    int Count() const { return static_cast<int>(items_.size()); }
    // Both throw EListError outside 0..Count()-1.
    const std::string& Strings(int index) const;
    virtual void Put(int index, const std::string& text);

    int Add(const std::string& text);
    void Insert(int index, const std::string& text);
    void Delete(int index);
    void Clear() { items_.clear(); }
    // Makes this list a copy of source.
    void Assign(const TStringList& source);

    const std::vector<std::string>& Items() const { return items_; }

  private:
    void CheckIndex(int index, int limit) const;

    std::vector<std::string> items_;
};

using TStrings = TStringList;
