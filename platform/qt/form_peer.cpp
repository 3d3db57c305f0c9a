#include <QGuiApplication>
#include <QScreen>

#include "framework/form.h"
#include "framework/peer_kinds.h"
#include "platform/qt/captioned_peer.h"
#include "platform/qt/field_names.h"
#include "platform/qt/form_window.h"
#include "platform/qt/icon_cache.h"
#include "platform/qt/tab_order.h"

namespace qtbackend {

namespace {

// TForm: a top-level window of the form's client size at its position, decorated as its border style
// and border icons say. Showing it the first time places it and orders the tab chain and field names.
class FormPeer : public CaptionedPeer<TForm, FormWindow> {
  public:
    explicit FormPeer(TForm& form) : CaptionedPeer(form) {
        View()->onUserClose = [&form] { form.UserClose(); };
        View()->onWindowStateChange = [this] {
            Object().UserSetWindowState(View()->isMinimized() ? wsMinimized : wsNormal);
        };
    }

  protected:
    void ShowAspect(widgetset::Aspect aspect) override;
    void ShowBounds() override;
    void ShowVisible() override;

  private:
    void ApplyWindowFlags();
    bool Resizable() const {
        return Object().BorderStyle() == bsSizeable || Object().BorderStyle() == bsSizeToolWin;
    }

    bool placed_ = false;
};

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

}  // namespace

}  // namespace qtbackend

peer_kinds::Peer peer_kinds::MakePeer(TForm& form) { return std::make_unique<qtbackend::FormPeer>(form); }
