#include "framework/rules/menu_entries.h"

#include "framework/menu_item.h"

std::vector<MenuEntry> MenuEntries(const TPopupMenu& menu) {
    std::vector<MenuEntry> entries(static_cast<std::size_t>(menu.Count()), MenuEntry::Hidden);
    bool itemShown = false;
    // The separator that shows once an item follows it.
    MenuEntry* separator = nullptr;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TMenuItem& item = *menu.Items(static_cast<int>(i));
        if (!item.Visible()) continue;
        if (item.Caption() == "-") {
            if (itemShown && separator == nullptr) separator = &entries[i];
            continue;
        }
        if (separator != nullptr) *separator = MenuEntry::Separator;
        separator = nullptr;
        entries[i] = MenuEntry::Item;
        itemShown = true;
    }
    return entries;
}
