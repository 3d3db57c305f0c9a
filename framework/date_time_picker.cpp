#include "framework/date_time_picker.h"

#include "framework/published.h"

namespace {

constexpr std::string_view kKinds[] = {"dtkDate", "dtkTime"};
constexpr std::string_view kDateModes[] = {"dmComboBox", "dmUpDown"};
constexpr std::string_view kDateFormats[] = {"dfShort", "dfLong"};
constexpr std::string_view kAlignments[] = {"dtaLeft", "dtaRight"};

const PropertyInfo kProperties[] = {
    DateProperty<&TDateTimePicker::Date, &TDateTimePicker::SetDate>("Date"),
    EnumProperty<&TDateTimePicker::Kind, &TDateTimePicker::SetKind>("Kind", kKinds, dtkDate),
    EnumProperty<&TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode>("DateMode", kDateModes, dmComboBox),
    EnumProperty<&TDateTimePicker::DateFormat, &TDateTimePicker::SetDateFormat>("DateFormat", kDateFormats,
                                                                                dfShort),
    EnumProperty<&TDateTimePicker::CalAlignment, &TDateTimePicker::SetCalAlignment>("CalAlignment", kAlignments,
                                                                                    dtaLeft),
    BooleanProperty<&TDateTimePicker::ParseInput, &TDateTimePicker::SetParseInput>("ParseInput", false),
    EventProperty<&TDateTimePicker::OnChange, &TDateTimePicker::SetOnChange>("OnChange"),
};

}  // namespace

const ClassInfo TDateTimePicker::Class =
    CreatableClass<TDateTimePicker, TWinControl>("TDateTimePicker", kProperties);

void TDateTimePicker::UserSetDate(const TDate& value) {
    // A picker may report the date it shows again: no change, so nothing to run or show.
    if (value == date_) return;
    RunUserChange(widgetset::Aspect::Date, [&] { SetDate(value); });
}
