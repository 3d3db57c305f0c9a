// The alarm's notice as a desktop notification (org.freedesktop.Notifications on the session bus), its
// answers as the notification's actions. Every call to the server is answered later, so a server that is
// slow to start, or none at all, costs the ringing nothing; without one nothing shows.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include "framework/widgetset/widgetset.h"

namespace qtbackend {

class DesktopNotice : public QObject {
    Q_OBJECT
  public:
    static DesktopNotice& Instance();

    void Show(const widgetset::AlarmNotice& notice);
    void Close();

  private Q_SLOTS:
    void ActionInvoked(uint id, const QString& actionKey);
    void NotificationClosed(uint id, uint reason);

  private:
    DesktopNotice();
    void Notify(const QStringList& capabilities, quint64 showing);

    widgetset::AlarmNotice notice_;
    // Each showing asked for has its number; the one that should show now, 0 while none should.
    quint64 showings_ = 0;
    quint64 wanted_ = 0;
    // The server's number of the notification that shows, 0 while none does.
    uint id_ = 0;
};

}  // namespace qtbackend
