#include "platform/qt/form_peer.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/qt/field_names.h"
#include "platform/qt/icon_cache.h"
#include "platform/qt/tab_order.h"

namespace qtbackend {

FormPeer::FormPeer(TForm& form) : CaptionedPeer(form) {
    view_->onUserClose = [&form] { form.UserClose(); };
}

bool FormPeer::Resizable() const {
    return object_.BorderStyle() == bsSizeable || object_.BorderStyle() == bsSizeToolWin;
}

void FormPeer::ApplyWindowFlags() {
    const TFormBorderStyle style = object_.BorderStyle();
    const unsigned icons = object_.BorderIcons();
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
    if (view_->windowFlags() != flags) view_->setWindowFlags(flags);
}

void FormPeer::ShowBounds() {
    const int width = object_.ClientWidth() > 0 ? object_.ClientWidth() : object_.Width();
    const int height = object_.ClientHeight() > 0 ? object_.ClientHeight() : object_.Height();
    if (Resizable()) {
        view_->resize(width, height);
    } else {
        view_->setFixedSize(width, height);
    }
    if (object_.Position() == poDesigned) view_->move(object_.Left(), object_.Top());
}

void FormPeer::ShowVisible() {
    if (!object_.Visible()) {
        view_->hide();
        return;
    }
    if (!placed_) {
        ApplyWindowFlags();
        ShowBounds();
        OrderTabChain(object_);
        NameFields(object_);
        if (object_.Position() == poScreenCenter || object_.Position() == poDesktopCenter) {
            const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
            view_->move(screen.center() - view_->rect().center());
        }
        placed_ = true;
    }
    if (object_.WindowState() == wsMinimized) {
        view_->showMinimized();
    } else {
        view_->showNormal();
    }
}

void FormPeer::ShowAspect(widgetset::Aspect aspect) {
    if (aspect == widgetset::Aspect::Picture) {
        view_->setWindowIcon(IconNamed(object_.Icon()));
    } else if (aspect == widgetset::Aspect::WindowState) {
        if (view_->isVisible()) ShowVisible();
    } else if (aspect == widgetset::Aspect::ZOrder && view_->isVisible()) {
        view_->raise();
        view_->activateWindow();
    } else {
        CaptionedPeer::ShowAspect(aspect);
    }
}

}  // namespace qtbackend
