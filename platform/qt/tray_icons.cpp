#include "platform/qt/tray_icons.h"

#include <cstring>

#include "platform/qt/event_loop.h"
#include "platform/qt/icon_cache.h"
#include "platform/qt/interface_wait.h"

namespace qtbackend {

TrayIcons& TrayIcons::Instance() {
    static auto* icons = new TrayIcons;
    return *icons;
}

// The icon may be removed by the handler of its own activation, while Qt is still in its signal.
void TrayIcons::LaterDelete::operator()(QSystemTrayIcon* icon) const {
    icon->hide();
    icon->deleteLater();
}

void TrayIcons::LaterDelete::operator()(TrayMenu* menu) const { menu->deleteLater(); }

BOOL TrayIcons::Notify(DWORD message, const NOTIFYICONDATAA& data) {
    const Key key{data.hWnd, data.uID};
    auto it = records_.find(key);
    switch (message) {
        case NIM_ADD:
            return it == records_.end() ? Add(data) : FALSE;
        case NIM_MODIFY:
            if (it == records_.end()) return FALSE;
            Apply(it->second, data);
            return TRUE;
        case NIM_DELETE:
            if (it == records_.end()) return FALSE;
            records_.erase(it);
            return TRUE;
        default:
            return FALSE;
    }
}

// Where the cursor is the place for the menu (an XEmbed tray), the right click pops it up there as before.
// The QMenu lives as long as the icon: Qt's exported menu cannot be taken back from it.
void TrayIcons::SetMenu(HWND window, UINT id, TPopupMenu* menu, std::function<void()> aboutToShow) {
    auto it = records_.find({window, id});
    if (it == records_.end() || !TrayShowsItsOwnMenus()) return;
    Record& record = it->second;
    if (!record.menu) {
        record.menu.reset(new TrayMenu);
        record.icon->setContextMenu(record.menu.get());
    }
    record.menu->Follow(menu, std::move(aboutToShow));
}

BOOL TrayIcons::Add(const NOTIFYICONDATAA& data) {
    EnsureApplication();
    const Key key{data.hWnd, data.uID};
    Record& record = records_[key];
    record.icon.reset(new QSystemTrayIcon);
    QObject::connect(record.icon.get(), &QSystemTrayIcon::activated,
                     [this, key](QSystemTrayIcon::ActivationReason reason) { Activated(key, reason); });
    Apply(record, data);
    // Without a tray host this shows nothing yet; Qt embeds the icon once one starts.
    record.icon->show();
    return TRUE;
}

void TrayIcons::Apply(Record& record, const NOTIFYICONDATAA& data) {
    if ((data.uFlags & NIF_MESSAGE) != 0) record.callbackMessage = data.uCallbackMessage;
    if ((data.uFlags & NIF_ICON) != 0) record.icon->setIcon(IconOf(data.hIcon));
    if ((data.uFlags & NIF_TIP) != 0) {
        record.icon->setToolTip(
            QString::fromUtf8(data.szTip, static_cast<qsizetype>(strnlen(data.szTip, sizeof data.szTip))));
    }
}

void TrayIcons::Activated(const Key& key, QSystemTrayIcon::ActivationReason reason) {
    auto it = records_.find(key);
    if (it == records_.end()) return;
    LPARAM mouseMessage = 0;
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            mouseMessage = WM_LBUTTONDOWN;
            break;
        case QSystemTrayIcon::DoubleClick:
            mouseMessage = WM_LBUTTONDBLCLK;
            break;
        case QSystemTrayIcon::Context:
            mouseMessage = WM_RBUTTONDOWN;
            break;
        default:
            return;
    }
    RunOrHold([key, message = it->second.callbackMessage, mouseMessage] {
        SendMessageA(key.first, message, key.second, mouseMessage);
    });
}

}  // namespace qtbackend
