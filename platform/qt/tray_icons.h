// The notification area: one QSystemTrayIcon per (window, id) record. Each activation is sent to the
// record's window as its callback message, with the id and the mouse message as Win32 sends them.
#pragma once

#include <QSystemTrayIcon>
#include <map>
#include <memory>
#include <utility>

#include "platform/api.h"

namespace qtbackend {

class TrayIcons {
  public:
    static TrayIcons& Instance();

    BOOL Notify(DWORD message, const NOTIFYICONDATAA& data);

  private:
    struct LaterDelete {
        void operator()(QSystemTrayIcon* icon) const;
    };
    struct Record {
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
