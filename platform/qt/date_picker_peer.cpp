#include "platform/qt/date_picker_peer.h"

#include <QLocale>
#include <QSignalBlocker>

namespace qtbackend {

namespace {

QDate ToQDate(const TDate& date) { return {date.Year, date.Month, date.Day}; }

TDate ToTDate(const QDate& date) {
    return {static_cast<WORD>(date.year()), static_cast<WORD>(date.month()), static_cast<WORD>(date.day())};
}

// The short format, with the century written out: a two-digit year would be read back in the wrong one.
QString ShortFormat() {
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy"))) format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

}  // namespace

DatePickerPeer::DatePickerPeer(TDateTimePicker& picker)
    : ControlPeer(picker, new QDateEdit(ParentWidgetOf(picker))),
      picker_(picker),
      widget_(static_cast<QDateEdit*>(Widget())) {
    // The picker's own minimum would clamp the framework's default date (1899-12-30) and older ones.
    widget_->setMinimumDate(QDate(100, 1, 1));
    widget_->setDisplayFormat(ShortFormat());
    widget_->setCalendarPopup(true);
    QObject::connect(widget_, &QDateEdit::dateChanged, [this](const QDate& date) { UserChanged(date); });
}

void DatePickerPeer::UserChanged(const QDate& date) {
    const TDate chosen = ToTDate(date);
    if (chosen == picker_.Date()) return;
    QPointer<QDateEdit> edit = widget_;
    TDateTimePicker& picker = picker_;
    picker.UserSetDate(chosen);
    // A refused date (a disabled control) is replaced by the one the control holds.
    if (edit != nullptr && ToTDate(edit->date()) != picker.Date()) ShowDate();
}

void DatePickerPeer::ShowDate() {
    // dateChanged is emitted for dates set from code too: blocked, so that none is echoed.
    const QSignalBlocker blocker(widget_);
    widget_->setDate(ToQDate(picker_.Date()));
}

void DatePickerPeer::ShowAspect(widgetset::Aspect aspect) {
    if (aspect == widgetset::Aspect::Date) ShowDate();
}

}  // namespace qtbackend
