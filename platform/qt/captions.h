// Captions as Qt shows them. Both use '&' to mark an access key ("&&" is a literal ampersand).
#pragma once

#include <QString>
#include <string>

namespace qtbackend {

QString ToQString(const std::string& text);
std::string ToStdString(const QString& text);
// The caption as read aloud: access-key marks removed, "&&" kept as one '&'.
QString WithoutAccessKey(const std::string& caption);

}  // namespace qtbackend
