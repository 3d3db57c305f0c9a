#include "platform/qt/tray_menu.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QPointer>

#include "framework/error_reporting.h"
#include "framework/menu_item.h"
#include "framework/popup_menu.h"
#include "framework/rules/menu_entries.h"
#include "platform/qt/captions.h"
#include "platform/qt/interface_wait.h"

namespace qtbackend {

bool TrayShowsItsOwnMenus() {
    static const bool answer = [] {
        const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected() || !bus.interface()->isServiceRegistered(watcher)) return false;
        QDBusInterface host(watcher, QStringLiteral("/StatusNotifierWatcher"), watcher, bus);
        return host.isValid() && host.property("IsStatusNotifierHostRegistered").toBool();
    }();
    return answer;
}

TrayMenu::TrayMenu() {
    connect(this, &QMenu::aboutToShow, this, [this] {
        // The host asks now and cannot be kept waiting; while the program is held, the items are shown as
        // last prepared.
        if (source_ != nullptr && aboutToShow_ && !InterfaceWaiting()) ReportErrors(aboutToShow_);
        TakeItems();
    });
    // Later, not inside the host's D-Bus call: a click may open a modal window or end the program.
    connect(
        this, &QMenu::triggered, this,
        [this](QAction* action) {
            RunOrHold([menu = QPointer<TrayMenu>(this), action = QPointer<QAction>(action)] {
                if (menu != nullptr && action != nullptr) menu->Choose(action);
            });
        },
        Qt::QueuedConnection);
}

void TrayMenu::Follow(TPopupMenu* source, std::function<void()> aboutToShow) {
    source_ = source;
    aboutToShow_ = std::move(aboutToShow);
    TakeItems();
}

// Actions stay the same objects while the items keep their number, so a host's open view stays valid.
void TrayMenu::TakeItems() {
    const std::vector<MenuEntry> entries =
        source_ != nullptr ? MenuEntries(*source_) : std::vector<MenuEntry>{};
    const auto count = static_cast<int>(entries.size());
    while (actions().size() > count) {
        QAction* last = actions().back();
        removeAction(last);
        delete last;
    }
    while (actions().size() < count) addAction(QString());
    for (int i = 0; i < count; ++i) {
        const MenuEntry entry = entries[static_cast<std::size_t>(i)];
        QAction* action = actions().at(i);
        action->setText(ToQString(source_->Items(i)->Caption()));
        action->setSeparator(entry == MenuEntry::Separator);
        action->setVisible(entry != MenuEntry::Hidden);
    }
}

void TrayMenu::Choose(QAction* action) {
    const auto index = static_cast<int>(actions().indexOf(action));
    if (source_ == nullptr || index < 0 || index >= source_->Count()) return;
    TMenuItem* item = source_->Items(index);
    ReportErrors([item] { item->Click(); });
}

}  // namespace qtbackend
