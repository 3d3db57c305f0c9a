#include "platform/qt/max_length_validator.h"

namespace qtbackend {

MaxLengthValidator::MaxLengthValidator(QObject* parent, std::function<int()> maxLength)
    : QValidator(parent), maxLength_(std::move(maxLength)) {}

QValidator::State MaxLengthValidator::validate(QString& input, int&) const {
    const int limit = maxLength_();
    // Code points, as the framework counts characters, not UTF-16 units.
    return limit <= 0 || input.toUcs4().size() <= limit ? Acceptable : Invalid;
}

}  // namespace qtbackend
