#include <gtest/gtest.h>

#include "framework/exceptions.h"
#include "framework/list.h"
#include "framework/string_list.h"

namespace {

// Counts replacements, as a descendant that reacts to Put does.
class TCountingList : public TStringList {
  public:
    int puts = 0;
    void Put(int index, const std::string& text) override {
        TStringList::Put(index, text);
        ++puts;
    }
};

}  // namespace

TEST(StringListTest, OnlyReplacingGoesThroughPut) {
    TCountingList list;
    list.Add("a");                         // adding is not a replacement
    list.Insert(0, "b");                   // nor is inserting
    list.Assign(TStringList({"x", "y"}));  // nor assigning
    EXPECT_EQ(list.puts, 0);
    TStringList& base = list;
    base.Put(1, "z");  // the override runs through the base
    EXPECT_EQ(list.puts, 1);
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"x", "z"}));
}

TEST(StringListTest, IndexesOutsideTheListAreErrors) {
    TStringList list({"only"});
    EXPECT_THROW(list.Strings(1), EListError);
    EXPECT_THROW(list.Strings(-1), EListError);
    EXPECT_THROW(list.Put(1, "x"), EListError);
    EXPECT_THROW(list.Delete(1), EListError);
    EXPECT_NO_THROW(list.Insert(1, "end"));  // inserting at the end is allowed
    EXPECT_EQ(list.Strings(1), "end");

    TList pointers;
    int value = 0;
    EXPECT_EQ(pointers.Add(&value), 0);
    EXPECT_EQ(pointers.Items(0), &value);
    EXPECT_THROW(pointers.Items(1), EListError);
}
