// The system's clock for the alarm's rules: universal time now, and the local reading of any instant
// through the time zone in force, both from the system (the platform seam).
#pragma once

#include "alarm/alarm_schedule.h"
#include "framework/date.h"
#include "platform/api.h"

Instant SystemNow();
LocalReading SystemLocalReading(Instant instant);
// That instant as the system reports local times.
SYSTEMTIME LocalSystemTime(Instant instant);
// The reading's parts as the date picker and the system report them.
SYSTEMTIME ToSystemTime(LocalReading reading);
LocalDay ToLocalDay(WORD year, WORD month, WORD day);
TDate ToTDate(LocalDay day);
