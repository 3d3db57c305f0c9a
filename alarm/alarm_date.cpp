#include "alarm/alarm_date.h"

TAlarmDate AlarmDate{0, 0, 0};
