#pragma once
// Dates kept in 32-bit number settings.
//
// A date-time is stored as the upper 32 bits of its IEEE-754 double: sign, exponent and the top
// 20 bits of the mantissa. Reading it back sets the lower 32 bits to zero, so the value returned
// never exceeds the one stored and, for dates of this era, loses at most the time of day below a
// step of 1/32 day (45 minutes). That is precise enough for the monthly update check, the one
// user of these conversions.

#include <cstdint>

#include "UDateTime.h"

std::uint32_t DateToCardinal(TDateTime date);
TDateTime CardinalToDate(std::uint32_t value);

// Midnight of the same day in the next month (January of the next year after December); a day
// that the next month lacks becomes that month's last day, so 31 January gives 28 or 29
// February. Throws EGeneral for a value that is not a date of years 1..9999 or has no next month
// in that range.
TDateTime NextMonthDate(TDateTime date);
