#include "platform/qt/icon_cache.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QPixmap>
#include <map>

#include "platform/qt/event_loop.h"
#include "resources/embedded_icons.h"

namespace qtbackend {

namespace {

// Every image of the .ico file, so that Qt picks the size each place needs.
QIcon Decode(const EmbeddedIcon& icon) {
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(icon.data.data()),
                                               static_cast<qsizetype>(icon.data.size()));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "ico");
    QIcon result;
    for (int i = 0; i < reader.imageCount(); ++i) {
        reader.jumpToImage(i);
        result.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return result;
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
