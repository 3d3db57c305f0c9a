#include <QGuiApplication>
#include <QScreen>

#include "framework/form.h"
#include "framework/rules/form_frame.h"
#include "framework/widgetset/peer_kinds.h"
#include "platform/qt/captioned_peer.h"
#include "platform/qt/field_name.h"
#include "platform/qt/form_window.h"
#include "platform/qt/icon_cache.h"
#include "platform/qt/tab_chain.h"

namespace qtbackend {

namespace {

// TForm: a top-level window framed and placed as framework/form_frame.h decides. Showing it the first time
// places it and orders the tab chain and field names.
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

    bool placed_ = false;
};

void FormPeer::ApplyWindowFlags() {
    const FormFrame frame = FrameOf(Object());
    Qt::WindowFlags flags = Qt::Window;
    if (!frame.titled) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (frame.tool) flags |= Qt::Tool;
        if (frame.closeBox) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (frame.minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
        if (frame.maximizeBox) flags |= Qt::WindowMaximizeButtonHint;
    }
    // Changing the flags recreates the native window, so only when they differ.
    if (View()->windowFlags() != flags) View()->setWindowFlags(flags);
}

void FormPeer::ShowBounds() {
    const FormFrame frame = FrameOf(Object());
    if (frame.resizable) {
        View()->resize(frame.clientWidth, frame.clientHeight);
    } else {
        View()->setFixedSize(frame.clientWidth, frame.clientHeight);
    }
    if (frame.place == FormPlace::Designed) View()->move(Object().Left(), Object().Top());
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
        if (FrameOf(Object()).place == FormPlace::Centred) {
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
