#include <QLabel>
#include <QMouseEvent>
#include <functional>

#include "framework/image.h"
#include "framework/widgetset/peer_kinds.h"
#include "platform/qt/captions.h"
#include "platform/qt/control_peer.h"
#include "platform/qt/icon_cache.h"

namespace qtbackend {

namespace {

// Icons are drawn at the size they were made for on a 96-dpi screen.
constexpr int kIconSize = 32;

class ClickableLabel : public QLabel {
  public:
    ClickableLabel(QWidget* parent, std::function<void()> clicked)
        : QLabel(parent), clicked_(std::move(clicked)) {
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

  protected:
    // A click is a press and a release over the picture, as with a button.
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) clicked_();
    }

  private:
    std::function<void()> clicked_;
};

// TImage: the named icon at its natural size in the control's top-left corner; a click on it is the user's
// click on the control. A screen reader finds an image without a name, as a decoration: the icon's resource
// name means nothing to a user, and its hint, where it has one, is its description.
class ImagePeer : public TypedPeer<TImage, QLabel> {
  public:
    explicit ImagePeer(TImage& image)
        : TypedPeer(image, new ClickableLabel(ParentWidgetOf(image), [&image] { image.UserClick(); })) {}

  protected:
    void ShowAspect(widgetset::Aspect aspect) override {
        if (aspect != widgetset::Aspect::Picture) return;
        View()->setPixmap(IconNamed(Object().PictureName()).pixmap(kIconSize, kIconSize));
    }
};

}  // namespace

}  // namespace qtbackend

peer_kinds::Peer peer_kinds::MakePeer(TImage& image) { return std::make_unique<qtbackend::ImagePeer>(image); }
