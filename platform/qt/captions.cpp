#include "platform/qt/captions.h"

namespace qtbackend {

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

std::string ToStdString(const QString& text) { return text.toStdString(); }

QString WithoutAccessKey(const std::string& caption) {
    std::string text;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            text += caption[i];
        } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
            text += '&';
            ++i;
        }
    }
    return ToQString(text);
}

}  // namespace qtbackend
