#include "days.h"

namespace engine {
namespace {

// Leap years in 0 ... year - 1 (year >= 0): the multiples of 4, less those
// of 100, plus those of 400, less those of 3200; 0 is a multiple of each.
constexpr std::int32_t leapYearsBefore(int year)
{
    auto multiples = [year](int n) { return (year + n - 1) / n; };
    return multiples(4) - multiples(100) + multiples(400) - multiples(3200);
}

constexpr std::int32_t firstDayOf(int year)
{
    return 365 * year + leapYearsBefore(year);
}

// The week (possibly 0 or one past the year's last) that the Thursday rule
// gives a day of the year with the given weekday.
constexpr int weekOfYear(int dayOfYear, int weekday)
{
    return (dayOfYear - weekday + 10) / 7;
}

} // namespace

int dayOfYear(const Date &d)
{
    int days = d.day;
    for (int month = 1; month < d.month; ++month)
        days += daysInMonth(d.year, month);
    return days;
}

std::int32_t dayNumber(const Date &d)
{
    return firstDayOf(d.year) + dayOfYear(d) - 1;
}

Date dateOf(std::int32_t dayNumber)
{
    if (dayNumber < 0 || dayNumber >= firstDayOf(lastYear + 1))
        return {-1, 1, 1};
    // 365.2425 days a year is close enough to land on the year or the one after it.
    int year = static_cast<int>(static_cast<std::int64_t>(dayNumber) * 10000 / 3652425);
    while (firstDayOf(year) > dayNumber)
        --year;
    while (firstDayOf(year + 1) <= dayNumber)
        ++year;
    int day = dayNumber - firstDayOf(year) + 1;
    int month = 1;
    while (day > daysInMonth(year, month)) {
        day -= daysInMonth(year, month);
        ++month;
    }
    return {year, month, day};
}

Date addDays(const Date &d, std::int32_t days)
{
    return dateOf(dayNumber(d) + days);
}

int weekday(const Date &d)
{
    const MonthLayout l = layout(selectionOf(d.year, d.month));
    return (l.startCell + d.day - 1) % 7 + 1;
}

int isoWeeksInYear(int year)
{
    // 28 December is always in the year's last week.
    const Date lastWeek{year, 12, 28};
    return weekOfYear(dayOfYear(lastWeek), weekday(lastWeek));
}

IsoWeek isoWeek(const Date &d)
{
    const int wd = weekday(d);
    const int week = weekOfYear(dayOfYear(d), wd);
    if (week < 1) {
        // In the last week of the year before: counted in that year's days,
        // the weekdays running on without a break. Before year 0 the
        // calendar has no year; the Gregorian one's year -1 is common.
        const int before = d.year - 1;
        const int length = before < firstYear ? 365 : daysInYear(before);
        return {before, weekOfYear(dayOfYear(d) + length, wd)};
    }
    if (week > isoWeeksInYear(d.year))
        return {d.year + 1, 1};
    return {d.year, week};
}

} // namespace engine
