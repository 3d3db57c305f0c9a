// The date the settings window's picker holds for a one-time alarm, kept beside the main form.
#pragma once

#include "platform/api.h"

struct TAlarmDate {
    WORD Year;
    WORD Month;
    WORD Day;
};

// The picker's date; (0, 0, 0) until something sets it.
extern TAlarmDate AlarmDate;
