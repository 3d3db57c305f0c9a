// An open dialog's filter, "Description|*.a|Description|*.b;*.c", as Qt's name filters,
// "Description (*.a)" and "Description (*.b *.c)". A description without patterns is left out.
#pragma once

#include <QStringList>
#include <string>

namespace qtbackend {

QStringList NameFilters(const std::string& filter);

}  // namespace qtbackend
