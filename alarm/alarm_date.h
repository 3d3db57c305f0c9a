// The alarm's target date and the guard of a daily alarm, held beside the main form.
#pragma once

#include <cstdint>

#include "platform/api.h"

struct TAlarmDate {
    WORD Year;
    WORD Month;
    WORD Day;
};

// The date on which the alarm fires; (0, 0, 0), which no clock reading matches, until something sets it.
extern TAlarmDate AlarmDate;
// The day of the month on which a daily alarm last fired; 0 for none. Only its equality with the day of
// AlarmDate is ever tested.
extern std::int16_t LastAlarmDay;
