// The alarm check every ten seconds, the date picker's date, and "&Check Alarm".
#include <cctype>
#include <charconv>

#include "alarm/alarm_date.h"
#include "app/main_form.h"

namespace {

// An hour or minute text as a whole number: blanks, an optional sign, decimal digits. A text that is not
// such a number gives 0xFFFF, which no clock reading matches; a number is kept as its low 16 bits.
WORD AlarmNumber(const std::string& text) {
    constexpr WORD kNeverMatches = 0xFFFF;
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ') ++at;
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
    long long value = 0;
    auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || at == text.size()) return kNeverMatches;
    return static_cast<WORD>(negative ? -value : value);
}

}  // namespace

void TForm1::Timer1Timer(TObject* sender) {
    if (!CheckBox1->Checked() || hour->Text().empty() || min->Text().empty()) return;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    // A daily alarm's date is today's, on every tick that gets this far.
    if (CheckBox8->Checked()) AlarmDate = {now.wYear, now.wMonth, now.wDay};
    const WORD alarmHour = AlarmNumber(hour->Text());
    const WORD alarmMinute = AlarmNumber(min->Text());
    if (alarmHour == now.wHour && alarmMinute == now.wMinute && now.wYear == AlarmDate.Year &&
        now.wMonth == AlarmDate.Month && now.wDay == AlarmDate.Day) {
        DoAlarm(sender);
    }
}

void TForm1::datepickChange(TObject*) {
    DecodeDate(datepick->Date(), AlarmDate.Year, AlarmDate.Month, AlarmDate.Day);
}

// Fires at once, as a real alarm would; afterwards a daily alarm may fire again today at its time.
void TForm1::chkalarmbtnClick(TObject* sender) {
    DoAlarm(sender);
    LastAlarmDay = 0;
}
