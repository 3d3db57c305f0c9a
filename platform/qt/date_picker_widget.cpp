#include "platform/qt/date_picker_widget.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>

namespace qtbackend {

namespace {

// A line edit keeps this much room on either side of its text (a constant inside Qt).
constexpr int kLineEditMargin = 2;

}  // namespace

// The calendar is made at its first drop-down, not with the picker: most runs never open it, and making it
// loads the style's icons.
DatePickerWidget::DatePickerWidget(QWidget* parent) : QDateEdit(parent) { setCalendarPopup(true); }

void DatePickerWidget::mousePressEvent(QMouseEvent* event) {
    const QDate before = date();
    QDateEdit::mousePressEvent(event);
    if (calendarWatched_) return;
    auto* calendar = findChild<QCalendarWidget*>();
    if (calendar == nullptr) return;
    calendar->window()->installEventFilter(this);
    calendarWatched_ = true;
    if (calendar->window()->isVisible()) opened_ = before;  // its first showing came before the watch
}

// The calendar's window sees the keys its calendar leaves (Escape while a year is typed is the calendar's).
bool DatePickerWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched != calendarWidget()->window()) return false;
    if (event->type() == QEvent::Show) opened_ = date();
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
        setDate(opened_);
        calendarWidget()->window()->close();
        return true;
    }
    return false;
}

QStyleOptionComboBox DatePickerWidget::DropDownOption() const {
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.frame = true;
    option.subControls = QStyle::SC_All;
    return option;
}

// The style's field, widened to the frame's inner edge: the style pads it for a taller combo box.
QRect DatePickerWidget::EditField() const {
    const QStyleOptionComboBox option = DropDownOption();
    QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const QRect arrow = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    field.setLeft(rect().left() + frame);
    field.setRight(arrow.left() - 1);
    return field;
}

int DatePickerWidget::TextWidth() const { return EditField().width() - 2 * kLineEditMargin; }

void DatePickerWidget::resizeEvent(QResizeEvent* event) {
    QDateEdit::resizeEvent(event);
    lineEdit()->setGeometry(EditField());
}

// Within the picker Tab would move between the date's parts; here it leaves, as from any other control.
bool DatePickerWidget::focusNextPrevChild(bool next) { return QWidget::focusNextPrevChild(next); }

void DatePickerWidget::keyPressEvent(QKeyEvent* event) {
    const bool altDown = event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier) != 0;
    if ((altDown || event->key() == Qt::Key_F4) && isEnabled()) {
        DropDown();
        return;
    }
    QDateEdit::keyPressEvent(event);
}

// QDateEdit drops its calendar down only for a press on its button, so the keys press it.
void DatePickerWidget::DropDown() {
    const QStyleOptionComboBox option = DropDownOption();
    const QPoint button =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this).center();
    QMouseEvent press(QEvent::MouseButtonPress, button, mapToGlobal(button), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    mousePressEvent(&press);
}

}  // namespace qtbackend
