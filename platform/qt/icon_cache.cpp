#include "platform/qt/icon_cache.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <map>

#include "platform/qt/event_loop.h"
#include "platform/qt/ico_images.h"
#include "resources/embedded_icons.h"

namespace qtbackend {

namespace {

// Draws an icon from its own images, as Qt's engine for pixmaps does (the smallest image that is large
// enough, else the largest, made smaller but never larger), without that engine's habit of keeping every
// pixmap it hands out in the application's pixmap cache: the cache's flush timer would then wake the idle
// program 30 s after its start, between the alarm check's ticks. Only the normal look: the tray, the
// windows and a label (which greys a disabled picture itself) need no other.
class ImagesEngine final : public QIconEngine {
  public:
    explicit ImagesEngine(QList<QPixmap> images) : images_(std::move(images)) {}

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const QPixmap* chosen = Chosen(size);
        return chosen == nullptr ? QSize()
                                 : chosen->size().scaled(size.boundedTo(chosen->size()), Qt::KeepAspectRatio);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const QPixmap* chosen = Chosen(size);
        if (chosen == nullptr) return {};
        const QSize wanted = actualSize(size, mode, state);
        return chosen->size() == wanted
                   ? *chosen
                   : chosen->scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size() * painter->device()->devicePixelRatio(), mode, state));
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const QPixmap& image : images_) sizes.append(image.size());
        return sizes;
    }

    bool isNull() override { return images_.isEmpty(); }
    QString key() const override { return QStringLiteral("alarmclock-images"); }
    QIconEngine* clone() const override { return new ImagesEngine(images_); }

  private:
    const QPixmap* Chosen(const QSize& size) const {
        const QPixmap* smallestLargeEnough = nullptr;
        const QPixmap* largest = nullptr;
        for (const QPixmap& image : images_) {
            if (largest == nullptr || image.width() > largest->width()) largest = &image;
            const bool largeEnough = image.width() >= size.width() && image.height() >= size.height();
            if (largeEnough &&
                (smallestLargeEnough == nullptr || image.width() < smallestLargeEnough->width())) {
                smallestLargeEnough = &image;
            }
        }
        return smallestLargeEnough != nullptr ? smallestLargeEnough : largest;
    }

    QList<QPixmap> images_;
};

// Every image of the .ico file, so that each place gets the size it needs.
QIcon Decode(const EmbeddedIcon& icon) {
    QList<QPixmap> images;
    for (const QImage& image : IcoImages(icon.data)) images.append(QPixmap::fromImage(image));
    return QIcon(new ImagesEngine(std::move(images)));
}

}  // namespace

HICON IconHandle(std::string_view name) {
    const EmbeddedIcon* icon = FindEmbeddedIcon(name);
    return icon == nullptr ? nullptr : reinterpret_cast<HICON>(const_cast<EmbeddedIcon*>(icon));
}

QIcon IconOf(HICON handle) {
    static std::map<const EmbeddedIcon*, QIcon> decoded;
    for (const EmbeddedIcon& icon : EmbeddedIcons()) {
        if (reinterpret_cast<HICON>(const_cast<EmbeddedIcon*>(&icon)) != handle) continue;
        auto it = decoded.find(&icon);
        if (it == decoded.end()) {
            EnsureApplication();
            it = decoded.emplace(&icon, Decode(icon)).first;
        }
        return it->second;
    }
    return {};
}

QIcon IconNamed(std::string_view name) { return IconOf(IconHandle(name)); }

}  // namespace qtbackend
