// A tray icon's menu where the notification area shows it itself (a StatusNotifierItem host gets it over
// D-Bus and opens it where the panel wants): a QMenu that follows a framework pop-up menu. Each time it is
// about to show, the owner prepares the items first (which may hide some), and the QMenu takes them over.
#pragma once

#include <QMenu>
#include <functional>

class TPopupMenu;

namespace qtbackend {

// Whether Qt shows tray icons through a StatusNotifierItem host. Qt decides once, at its first tray icon,
// by the same question: is a watcher on the session bus with a host registered.
bool TrayShowsItsOwnMenus();

class TrayMenu : public QMenu {
  public:
    TrayMenu();

    // Null leaves the menu empty.
    void Follow(TPopupMenu* source, std::function<void()> aboutToShow);

  private:
    void TakeItems();
    void Choose(QAction* action);

    TPopupMenu* source_ = nullptr;
    std::function<void()> aboutToShow_;
};

}  // namespace qtbackend
