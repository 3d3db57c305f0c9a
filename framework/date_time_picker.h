// A date picker (the date only). Changing Date, from code or by the user's choice, runs OnChange when the
// date changes.
#pragma once

#include "framework/date.h"
#include "framework/win_control.h"

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };
enum TDTDateFormat { dfShort, dfLong };
enum TDTCalAlignment { dtaLeft, dtaRight };

class TDateTimePicker : public TWinControl {
    DECLARE_CLASS_INFO
  public:
    using TWinControl::TWinControl;

    const TDate& Date() const { return date_; }
    void SetDate(const TDate& value) { Apply(date_, value, widgetset::Aspect::Date, onChange_); }
    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& event) { onChange_ = event; }
    // What a peer calls with the date the user chose; a refused one is shown again.
    void UserSetDate(const TDate& value);

    // Kind, DateMode, DateFormat, CalAlignment and ParseInput are set by the layout only, before the peer
    // exists: changing them tells no peer, so code leaves them as the layout has them.
    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind value) { kind_ = value; }
    TDTDateMode DateMode() const { return dateMode_; }
    void SetDateMode(TDTDateMode value) { dateMode_ = value; }
    TDTDateFormat DateFormat() const { return dateFormat_; }
    void SetDateFormat(TDTDateFormat value) { dateFormat_ = value; }
    TDTCalAlignment CalAlignment() const { return calAlignment_; }
    void SetCalAlignment(TDTCalAlignment value) { calAlignment_ = value; }
    bool ParseInput() const { return parseInput_; }
    void SetParseInput(bool value) { parseInput_ = value; }

  private:
    TDate date_{1899, 12, 30};
    TNotifyEvent onChange_;
    TDateTimeKind kind_ = dtkDate;
    TDTDateMode dateMode_ = dmComboBox;
    TDTDateFormat dateFormat_ = dfShort;
    TDTCalAlignment calAlignment_ = dtaLeft;
    bool parseInput_ = false;
};
