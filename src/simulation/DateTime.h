#pragma once
// Date-time values of a run: seconds since 1970-01-01 00:00:00 on the quotes' own clock (no
// time zone), held in a Number; and the calendar fields AFL reads from them.

#include "simulation/Value.h"

namespace Sim {

struct CivilTime
{
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    /// 0 for Sunday to 6 for Saturday.
    int dayOfWeek = 4;
};

/// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
qint64 DaysFromCivil(int year, int month, int day);
bool IsValidDate(int year, int month, int day);

Number EncodeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
CivilTime DecodeDateTime(Number value);

/// AFL's DateNum: 10000 * (year - 1900) + 100 * month + day, e.g. 1240315 for 2024-03-15.
Number DateNumOf(const CivilTime& t);
/// AFL's TimeNum: 10000 * hour + 100 * minute + second, e.g. 93000 for 09:30:00.
Number TimeNumOf(const CivilTime& t);

/// "2024-03-15 09:30:00".
QString DateTimeText(Number value);

} // namespace Sim
