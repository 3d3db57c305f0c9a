// The date picker's widget: a QDateEdit that behaves as one control, as a date picker does on Windows. It
// is one tab stop (Tab leaves it rather than moving between the date's parts, which the arrows and typed
// digits do), Alt+Down and F4 drop its calendar down, Escape in the calendar closes it on the date it
// opened with (the days the arrows passed over were each picked), and its text has the room from the frame
// to the drop-down button, so that a date fits the width the layout gives it.
#pragma once

#include <QDateEdit>
#include <QStyleOptionComboBox>

namespace qtbackend {

class DatePickerWidget : public QDateEdit {
  public:
    explicit DatePickerWidget(QWidget* parent);

    // The width the date's text may take without being cut.
    int TextWidth() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QStyleOptionComboBox DropDownOption() const;
    QRect EditField() const;
    void DropDown();

    QDate opened_;  // the date when the calendar last dropped down
    bool calendarWatched_ = false;
};

}  // namespace qtbackend
