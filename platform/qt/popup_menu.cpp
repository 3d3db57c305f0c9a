#include "platform/qt/popup_menu.h"

#include <QMenu>
#include <map>

#include "platform/qt/captions.h"
#include "platform/qt/event_loop.h"

namespace qtbackend {

TMenuItem* ShowPopupMenu(TPopupMenu& menu, int x, int y) {
    EnsureApplication();
    QMenu popup;
    std::map<QAction*, TMenuItem*> items;
    for (int i = 0; i < menu.Count(); ++i) {
        TMenuItem* item = menu.Items(i);
        if (item->Visible()) items[popup.addAction(ToQString(item->Caption()))] = item;
    }
    TMenuItem* chosen = nullptr;
    bool closed = false;
    // A chosen action is triggered in the same event as the menu hides, before the loop looks again.
    QObject::connect(&popup, &QMenu::triggered, [&](QAction* action) { chosen = items[action]; });
    QObject::connect(&popup, &QMenu::aboutToHide, [&closed] { closed = true; });
    popup.popup(QPoint(x, y));
    RunUntil([&closed] { return closed; });
    return chosen;
}

}  // namespace qtbackend
