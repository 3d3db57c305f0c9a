// Refuses a keystroke that would leave a field's text longer than its limit, as the framework refuses such
// text. Text set from code is never validated, so a longer text set that way is kept whole.
#pragma once

#include <QValidator>
#include <functional>

namespace qtbackend {

class MaxLengthValidator : public QValidator {
  public:
    // maxLength is read at each keystroke; 0 means no limit.
    MaxLengthValidator(QObject* parent, std::function<int()> maxLength);

    State validate(QString& input, int& position) const override;

  private:
    std::function<int()> maxLength_;
};

}  // namespace qtbackend
