#include "simulation/DateTime.h"

#include <cmath>

namespace Sim {

namespace {

constexpr qint64 SecondsPerDay = 86400;

// The floor of a / b for a positive b.
qint64 FloorDiv(qint64 a, qint64 b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

// Days from the civil date, and back, by the era arithmetic of the Gregorian 400-year cycle.
qint64 DaysFromCivil(int year, int month, int day)
{
    const qint64 y = qint64(year) - (month <= 2 ? 1 : 0);
    const qint64 era = FloorDiv(y, 400);
    const qint64 yearOfEra = y - era * 400;
    const qint64 dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool IsValidDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= lengths[month - 1] + (month == 2 && leap ? 1 : 0);
}

Number EncodeDateTime(int year, int month, int day, int hour, int minute, int second)
{
    return Number(DaysFromCivil(year, month, day) * SecondsPerDay + hour * 3600 + minute * 60 +
                  second);
}

CivilTime DecodeDateTime(Number value)
{
    const qint64 seconds = qint64(std::floor(value));
    const qint64 days = FloorDiv(seconds, SecondsPerDay);
    const qint64 ofDay = seconds - days * SecondsPerDay;
    const qint64 z = days + 719468;
    const qint64 era = FloorDiv(z, 146097);
    const qint64 dayOfEra = z - era * 146097;
    const qint64 yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 mp = (5 * dayOfYear + 2) / 153;
    CivilTime t;
    t.day = int(dayOfYear - (153 * mp + 2) / 5 + 1);
    t.month = int(mp < 10 ? mp + 3 : mp - 9);
    t.year = int(yearOfEra + era * 400 + (t.month <= 2 ? 1 : 0));
    t.hour = int(ofDay / 3600);
    t.minute = int(ofDay / 60 % 60);
    t.second = int(ofDay % 60);
    t.dayOfWeek = int(FloorDiv(days + 4, 7) * -7 + days + 4);
    return t;
}

Number DateNumOf(const CivilTime& t)
{
    return Number(10000 * (t.year - 1900) + 100 * t.month + t.day);
}

Number TimeNumOf(const CivilTime& t)
{
    return Number(10000 * t.hour + 100 * t.minute + t.second);
}

QString DateTimeText(Number value)
{
    const CivilTime t = DecodeDateTime(value);
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                             t.minute, t.second);
}

} // namespace Sim
