#include "platform/qt/captions.h"

#include "framework/rules/access_key.h"

namespace qtbackend {

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

std::string ToStdString(const QString& text) { return text.toStdString(); }

QString WithoutAccessKey(const std::string& caption) { return ToQString(::WithoutAccessKey(caption)); }

}  // namespace qtbackend
