// MessageBoxA over QMessageBox, waited for without blocking the tray (see modal_wait.h).
#include <QMessageBox>

#include "platform/posix/win32_api.h"
#include "platform/qt/captions.h"
#include "platform/qt/event_loop.h"
#include "platform/qt/modal_wait.h"
#include "platform/qt/owner_window.h"

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    qtbackend::EnsureApplication();
    QString body = QString::fromUtf8(text != nullptr ? text : "");
    // Windows breaks lines at "\r\n" and at a lone "\r" alike.
    body.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace('\r', '\n');
    const bool yesNo = (type & MB_YESNO) != 0;
    QMessageBox box((type & MB_ICONERROR) != 0 ? QMessageBox::Critical : QMessageBox::NoIcon,
                    QString::fromUtf8(caption != nullptr ? caption : "Error"), body,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    qtbackend::VisibleWindowOf(owner));
    qtbackend::ShowAndWait(box);
    const QAbstractButton* clicked = box.clickedButton();
    if (!yesNo) return IDOK;
    return clicked == box.button(QMessageBox::Yes) ? IDYES : IDNO;
}
