#include "platform/qt/form_peer.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/qt/field_names.h"
#include "platform/qt/icon_cache.h"
#include "platform/qt/tab_order.h"

namespace qtbackend {

FormPeer::FormPeer(TForm& form) : CaptionedPeer(form) {
    View()->onUserClose = [&form] { form.UserClose(); };
    View()->onWindowStateChange = [this] {
        Object().UserSetWindowState(View()->isMinimized() ? wsMinimized : wsNormal);
    };
}

bool FormPeer::Resizable() const {
    return Object().BorderStyle() == bsSizeable || Object().BorderStyle() == bsSizeToolWin;
}

void FormPeer::ApplyWindowFlags() {
    const TFormBorderStyle style = Object().BorderStyle();
    const unsigned icons = Object().BorderIcons();
    Qt::WindowFlags flags = Qt::Window;
    if (style == bsNone) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (style == bsToolWindow || style == bsSizeToolWin) flags |= Qt::Tool;
        if ((icons & biSystemMenu) != 0) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if ((icons & biMinimize) != 0) flags |= Qt::WindowMinimizeButtonHint;
        if ((icons & biMaximize) != 0 && Resizable()) flags |= Qt::WindowMaximizeButtonHint;
    }
    // Changing the flags recreates the native window, so only when they differ.
    if (View()->windowFlags() != flags) View()->setWindowFlags(flags);
}

void FormPeer::ShowBounds() {
    const int width = Object().ClientWidth() > 0 ? Object().ClientWidth() : Object().Width();
    const int height = Object().ClientHeight() > 0 ? Object().ClientHeight() : Object().Height();
    if (Resizable()) {
        View()->resize(width, height);
    } else {
        View()->setFixedSize(width, height);
    }
    if (Object().Position() == poDesigned) View()->move(Object().Left(), Object().Top());
}

void FormPeer::ShowVisible() {
    if (!Object().Visible()) {
        View()->hide();
        return;
    }
    if (!placed_) {
        ApplyWindowFlags();
        ShowBounds();
        OrderTabChain(Object());
        NameFields(Object());
        if (Object().Position() == poScreenCenter || Object().Position() == poDesktopCenter) {
            const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
            View()->move(screen.center() - View()->rect().center());
        }
        placed_ = true;
    }
    if (Object().WindowState() == wsMinimized) {
        View()->showMinimized();
    } else {
        View()->showNormal();
    }
}

void FormPeer::ShowAspect(widgetset::Aspect aspect) {
    if (aspect == widgetset::Aspect::Picture) {
        View()->setWindowIcon(IconNamed(Object().Icon()));
    } else if (aspect == widgetset::Aspect::WindowState) {
        if (View()->isVisible()) ShowVisible();
    } else if (aspect == widgetset::Aspect::ZOrder && View()->isVisible()) {
        View()->raise();
        View()->activateWindow();
    } else {
        CaptionedPeer::ShowAspect(aspect);
    }
}

}  // namespace qtbackend
