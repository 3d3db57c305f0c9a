// A calendar date, as the date picker holds it (the time of day plays no part).
#pragma once

#include <chrono>
#include <compare>
#include <string>

#include "platform/api.h"

struct TDate {
    WORD Year = 0;
    WORD Month = 0;
    WORD Day = 0;

    auto operator<=>(const TDate&) const = default;
};

// A reading of the local wall clock as the system gives one, its weekday included.
SYSTEMTIME ToSystemTime(std::chrono::local_time<std::chrono::milliseconds> moment);

// Checks the parts as a calendar would and throws Exception for a day such as 30 February.
TDate EncodeDate(WORD year, WORD month, WORD day);
void DecodeDate(const TDate& date, WORD& year, WORD& month, WORD& day);
bool IsValidDate(WORD year, WORD month, WORD day);
// ISO 8601 ("1999-02-19"), the form file's notation.
std::string DateToIso(const TDate& date);
TDate IsoToDate(const std::string& text);
