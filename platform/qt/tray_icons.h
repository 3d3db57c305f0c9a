// The notification area: one QSystemTrayIcon per (window, id) record. Each activation is sent to the
// record's window as its callback message, with the id and the mouse message as Win32 sends them. A
// StatusNotifierItem host also gets the icon's menu, to open where the panel puts it.
#pragma once

#include <QSystemTrayIcon>
#include <map>
#include <memory>
#include <utility>

#include "platform/api.h"
#include "platform/qt/tray_menu.h"

namespace qtbackend {

class TrayIcons {
  public:
    static TrayIcons& Instance();

    BOOL Notify(DWORD message, const NOTIFYICONDATAA& data);
    void SetMenu(HWND window, UINT id, TPopupMenu* menu, std::function<void()> aboutToShow);

  private:
    struct LaterDelete {
        void operator()(QSystemTrayIcon* icon) const;
        void operator()(TrayMenu* menu) const;
    };
    struct Record {
        // Declared first, so released after the icon, which keeps using it until it is gone.
        std::unique_ptr<TrayMenu, LaterDelete> menu;
        std::unique_ptr<QSystemTrayIcon, LaterDelete> icon;
        UINT callbackMessage = 0;
    };
    using Key = std::pair<HWND, UINT>;

    BOOL Add(const NOTIFYICONDATAA& data);
    static void Apply(Record& record, const NOTIFYICONDATAA& data);
    void Activated(const Key& key, QSystemTrayIcon::ActivationReason reason);

    std::map<Key, Record> records_;
};

}  // namespace qtbackend
