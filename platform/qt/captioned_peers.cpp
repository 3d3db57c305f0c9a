// The captioned controls with little of their own: buttons, panels, group boxes and labels.
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

#include "framework/widgetset/peer_kinds.h"
#include "platform/qt/accessible_roles.h"
#include "platform/qt/captioned_peer.h"
#include "platform/qt/group_box_widget.h"

namespace qtbackend {

namespace {

// TButton: a QPushButton whose click is the user's click on the control; Enter presses a focused button,
// as Space does.
class ButtonPeer : public CaptionedPeer<TButton, QPushButton> {
  public:
    explicit ButtonPeer(TButton& button) : CaptionedPeer(button) {
        // Outside dialogs Qt presses buttons with Space only; an auto-default button takes Enter too.
        View()->setAutoDefault(true);
        // clicked comes from the user only: nothing here clicks the button from code.
        QObject::connect(View(), &QPushButton::clicked, [&button] { button.UserClick(); });
    }

  protected:
    int DrawnBesideText() const override {
        QStyleOptionButton option;
        option.initFrom(View());
        option.rect = QRect(0, 0, Object().Width(), Object().Height());
        return option.rect.width() -
               View()->style()->subElementRect(QStyle::SE_PushButtonContents, &option, View()).width();
    }
};

// TPanel: a raised frame with its caption centred; a QLabel is exactly that, and children sit on it. To a
// screen reader it is a pane that holds them, not a text.
class PanelPeer : public CaptionedPeer<TPanel, QLabel> {
  public:
    explicit PanelPeer(TPanel& panel) : CaptionedPeer(panel) {
        View()->setFrameStyle(QFrame::Panel | QFrame::Raised);
        View()->setAlignment(Qt::AlignCenter);
        SetAccessibleRole(*View(), QAccessible::Pane);
    }
};

// TGroupBox: a GroupBoxWidget with the caption as its title; children sit at the layout's positions in it.
class GroupBoxPeer : public CaptionedPeer<TGroupBox, GroupBoxWidget> {
  public:
    using CaptionedPeer::CaptionedPeer;

  protected:
    int DrawnBesideText() const override { return 2 * GroupBoxWidget::kCaptionLeft; }
    void ShowCaption(const std::string& caption) override { View()->setTitle(ToQString(caption)); }
};

// TLabel: a QLabel, as large as its text needs at least (a label sizes itself to its text by default).
// Its access key moves the focus to the field it names (field_name.h sets the buddy).
class LabelPeer : public CaptionedPeer<TLabel, QLabel> {
  public:
    explicit LabelPeer(TLabel& label) : CaptionedPeer(label) {
        View()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

  protected:
    void ShowAspect(widgetset::Aspect aspect) override {
        CaptionedPeer::ShowAspect(aspect);
        if (aspect == widgetset::Aspect::Caption) ShowBounds();
    }

    // The layout's size was measured with another font; a clipped label would lose its end and its access
    // key's underline.
    void ShowBounds() override {
        const QSize text = FontShown() ? View()->sizeHint() : QSize();
        View()->setGeometry(Object().Left(), Object().Top(), std::max(Object().Width(), text.width()),
                            std::max(Object().Height(), text.height()));
    }
};

}  // namespace

}  // namespace qtbackend

peer_kinds::Peer peer_kinds::MakePeer(TButton& button) {
    return std::make_unique<qtbackend::ButtonPeer>(button);
}

peer_kinds::Peer peer_kinds::MakePeer(TPanel& panel) { return std::make_unique<qtbackend::PanelPeer>(panel); }

peer_kinds::Peer peer_kinds::MakePeer(TGroupBox& groupBox) {
    return std::make_unique<qtbackend::GroupBoxPeer>(groupBox);
}

peer_kinds::Peer peer_kinds::MakePeer(TLabel& label) { return std::make_unique<qtbackend::LabelPeer>(label); }
