#include <QCheckBox>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionButton>

#include "framework/check_box.h"
#include "framework/widgetset/peer_kinds.h"
#include "platform/qt/captioned_peer.h"

namespace qtbackend {

namespace {

// TCheckBox: a QCheckBox. A click goes to the control, whose Checked setter decides the state shown.
class CheckBoxPeer : public CaptionedPeer<TCheckBox, QCheckBox> {
  public:
    explicit CheckBoxPeer(TCheckBox& checkBox) : CaptionedPeer(checkBox) {
        // Every toggle but the peer's own is the user's: a click, its access key, or the toggle action of an
        // assistive tool, which toggles the box without a click (so clicked would miss it). The control has a
        // refused toggle shown again.
        QObject::connect(View(), &QCheckBox::toggled, [&checkBox] { checkBox.UserClick(); });
    }

  protected:
    int DrawnBesideText() const override {
        QStyleOptionButton option;
        option.initFrom(View());
        return View()->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, View()).left();
    }
    void ShowAspect(widgetset::Aspect aspect) override {
        if (aspect == widgetset::Aspect::Checked) ShowChecked(*View(), Object());
        CaptionedPeer::ShowAspect(aspect);
    }

  private:
    static void ShowChecked(QCheckBox& box, const TCheckBox& checkBox) {
        const QSignalBlocker notEchoed(&box);
        box.setChecked(checkBox.Checked());
    }
};

}  // namespace

}  // namespace qtbackend

peer_kinds::Peer peer_kinds::MakePeer(TCheckBox& checkBox) {
    return std::make_unique<qtbackend::CheckBoxPeer>(checkBox);
}
