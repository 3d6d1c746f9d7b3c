// Single days of this calendar: their place in the year and in the calendar,
// their weekday as the grid shows it, and their ISO 8601 week.
//
// Days are counted in this calendar's own years (the 3200 rule included), so
// the distance between two dates is what a person counts in its grids. The
// weekday is the grid's, from layout(): in the years 0, 3200, 6400 and 9600
// March to December stand one weekday earlier than in the Gregorian calendar,
// and the weekday skips one at the turn to the next year.
#pragma once

#include "calendar.h"

#include <compare>
#include <cstdint>

namespace engine {

struct Date {
    int year = 0;  // 0-9999
    int month = 1; // 1-12
    int day = 1;   // 1-31

    friend constexpr auto operator<=>(const Date &, const Date &) = default;
};

inline constexpr int firstYear = 0;
inline constexpr int lastYear = 9999;

[[nodiscard]] constexpr int daysInMonth(int year, int month)
{
    return dayCount(static_cast<std::int16_t>(month - 1), isLeapYear(year));
}

[[nodiscard]] constexpr int daysInYear(int year)
{
    return isLeapYear(year) ? 366 : 365;
}

[[nodiscard]] constexpr bool isValid(const Date &d)
{
    return d.year >= firstYear && d.year <= lastYear && d.month >= 1 && d.month <= 12 && d.day >= 1
           && d.day <= daysInMonth(d.year, d.month);
}

// 1 January is day 1.
[[nodiscard]] int dayOfYear(const Date &d);

// Days since 1 January 0 (day 0), and back. Day numbers outside
// 0 ... dayNumber(31 December 9999) give no date: isValid() is false.
[[nodiscard]] std::int32_t dayNumber(const Date &d);
[[nodiscard]] Date dateOf(std::int32_t dayNumber);
// The date `days` days after (or before) `d`; not valid past the calendar's ends.
[[nodiscard]] Date addDays(const Date &d, std::int32_t days);

// 1 = Monday ... 7 = Sunday: the grid's column for the day.
[[nodiscard]] int weekday(const Date &d);

// The ISO 8601 week: weeks run Monday to Sunday, and week 1 of a year is the
// one that holds its first Thursday, so the first days of January may belong
// to the last week of the year before and the last days of December to week 1
// of the next. The week's year is then -1 for the first days of year 0, and
// 10000 for the last days of 9999.
struct IsoWeek {
    int year = 0;
    int week = 1; // 1-53

    friend constexpr bool operator==(const IsoWeek &, const IsoWeek &) = default;
};
[[nodiscard]] IsoWeek isoWeek(const Date &d);
// 52 or 53.
[[nodiscard]] int isoWeeksInYear(int year);

} // namespace engine
