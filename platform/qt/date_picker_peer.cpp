#include <QFontMetrics>
#include <QLocale>
#include <QSignalBlocker>

#include "framework/date_time_picker.h"
#include "framework/widgetset/peer_kinds.h"
#include "platform/qt/control_peer.h"
#include "platform/qt/date_picker_widget.h"

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

// The numeric date for locales whose short date names the month and is too wide for the picker.
const QString kNumericFormat = QStringLiteral("yyyy-MM-dd");

bool EveryDateFits(const QString& format, const QFontMetrics& metrics, int width) {
    const QLocale locale;
    // A leap year: every day and month's name there is.
    for (QDate date(2000, 1, 1); date.year() == 2000; date = date.addDays(1)) {
        if (metrics.horizontalAdvance(locale.toString(date, format)) > width) return false;
    }
    return true;
}

// TDateTimePicker: a DatePickerWidget in the locale's short format with a calendar to drop down. A date the
// user picks goes to the control; a date set from code is shown without being reported back.
class DatePickerPeer : public TypedPeer<TDateTimePicker, DatePickerWidget> {
  public:
    explicit DatePickerPeer(TDateTimePicker& picker) : TypedPeer(picker) {
        // The picker's own minimum would clamp the framework's default date (1899-12-30) and older ones.
        View()->setMinimumDate(QDate(100, 1, 1));
        QObject::connect(View(), &QDateEdit::dateChanged,
                         [&picker](const QDate& date) { picker.UserSetDate(ToTDate(date)); });
    }

  protected:
    void ShowAspect(widgetset::Aspect aspect) override {
        if (aspect == widgetset::Aspect::Date) ShowDate();
    }

    void ShowBounds() override {
        ControlPeer::ShowBounds();
        if (FontShown()) ShowFormat();
    }

  private:
    void ShowDate() {
        // dateChanged is emitted for dates set from code too: blocked, so that none is echoed.
        const QSignalBlocker blocker(View());
        View()->setDate(ToQDate(Object().Date()));
    }

    // The format is chosen again whenever the room for it or the font changes.
    void ShowFormat() {
        const QString format = ShortFormat();
        const bool fits = EveryDateFits(format, View()->fontMetrics(), View()->TextWidth());
        const QString chosen = fits ? format : kNumericFormat;
        if (View()->displayFormat() != chosen) View()->setDisplayFormat(chosen);
    }
};

}  // namespace

}  // namespace qtbackend

peer_kinds::Peer peer_kinds::MakePeer(TDateTimePicker& picker) {
    return std::make_unique<qtbackend::DatePickerPeer>(picker);
}
