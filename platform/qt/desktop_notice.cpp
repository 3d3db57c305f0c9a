#include "platform/qt/desktop_notice.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

#include "framework/error_reporting.h"
#include "platform/qt/captions.h"
#include "platform/qt/interface_wait.h"

namespace qtbackend {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

QDBusMessage Call(const QString& method) {
    return QDBusMessage::createMethodCall(kService, kPath, kService, method);
}

// Runs answered(reply) once the server answers, on the interface thread; a call that failed (no server on
// the bus, none that can be started) is not answered.
template <class Answered>
void CallLater(const QDBusMessage& call, QObject* context, Answered answered) {
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [answered = std::move(answered)](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         if (!finished->isError()) answered(finished->reply());
                     });
}

}  // namespace

DesktopNotice& DesktopNotice::Instance() {
    static auto* notice = new DesktopNotice;  // never destroyed, as the widgetset that holds it
    return *notice;
}

DesktopNotice::DesktopNotice() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.connect(QString(), kPath, kService, QStringLiteral("ActionInvoked"), this,
                SLOT(ActionInvoked(uint, QString)));
    bus.connect(QString(), kPath, kService, QStringLiteral("NotificationClosed"), this,
                SLOT(NotificationClosed(uint, uint)));
}

// The server is asked what it can do first: a body it reads as markup must have the message's own '<' and
// '&' escaped, and one it reads as plain text must not.
void DesktopNotice::Show(const widgetset::AlarmNotice& notice) {
    notice_ = notice;
    const quint64 showing = wanted_ = ++showings_;
    CallLater(Call(QStringLiteral("GetCapabilities")), this, [this, showing](const QDBusMessage& reply) {
        if (wanted_ == showing) Notify(reply.arguments().value(0).toStringList(), showing);
    });
}

// Marked as an alarm: critical, so it stays until answered and shows over full-screen windows; resident, so
// that an answer does not take it away before the program does; the program plays its own sound.
void DesktopNotice::Notify(const QStringList& capabilities, quint64 showing) {
    QString body = ToQString(notice_.text);
    if (capabilities.contains(QStringLiteral("body-markup"))) body = body.toHtmlEscaped();
    QStringList actions;
    for (std::size_t i = 0; i < notice_.answers.size(); ++i) {
        actions << QString::number(i) << ToQString(notice_.answers[i].caption);
    }
    const QString program = QCoreApplication::applicationName();
    const QVariantMap hints{
        {QStringLiteral("urgency"), QVariant::fromValue(uchar{2})},
        {QStringLiteral("resident"), true},
        {QStringLiteral("category"), QStringLiteral("x-alarmclock.alarm")},
        {QStringLiteral("desktop-entry"), program},
        {QStringLiteral("suppress-sound"), true},
    };
    QDBusMessage notify = Call(QStringLiteral("Notify"));
    notify << ToQString(notice_.title) << id_ << program << ToQString(notice_.title) << body << actions << hints
           << qint32{0};
    CallLater(notify, this, [this, showing](const QDBusMessage& reply) {
        const uint id = reply.arguments().value(0).toUInt();
        if (wanted_ == showing) {
            id_ = id;
            return;
        }
        // Answered or taken away before the server showed it.
        QDBusConnection::sessionBus().asyncCall(Call(QStringLiteral("CloseNotification")) << id);
    });
}

// Waits for the server's answer, briefly: the program may end right after, and a notification left behind
// would offer answers that reach nothing. Only a server that answered before is asked.
void DesktopNotice::Close() {
    wanted_ = 0;
    if (id_ == 0) return;
    QDBusConnection::sessionBus().call(Call(QStringLiteral("CloseNotification")) << std::exchange(id_, 0u),
                                       QDBus::Block, 1000);
}

void DesktopNotice::ActionInvoked(uint id, const QString& actionKey) {
    bool isIndex = false;
    const uint index = actionKey.toUInt(&isIndex);
    if (id == 0 || id != id_ || !isIndex || index >= notice_.answers.size()) return;
    RunOrHold([this, showing = wanted_, run = notice_.answers[index].run] {
        // Held while the program waited, and taken away meanwhile: the alarm was answered another way.
        if (wanted_ == showing) ReportErrors(run);
    });
}

void DesktopNotice::NotificationClosed(uint id, uint) {
    if (id != 0 && id == id_) id_ = 0;
}

}  // namespace qtbackend
