#include "alarm/alarm_date.h"

TAlarmDate AlarmDate{0, 0, 0};
std::int16_t LastAlarmDay = 0;
