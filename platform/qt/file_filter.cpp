#include "platform/qt/file_filter.h"

#include "platform/qt/captions.h"

namespace qtbackend {

QStringList NameFilters(const std::string& filter) {
    const QStringList parts = ToQString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        filters.push_back(parts[i].trimmed() + " (" + patterns.join(' ').trimmed() + ")");
    }
    return filters;
}

}  // namespace qtbackend
