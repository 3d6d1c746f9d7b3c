// The calendar engine: the weekday arithmetic that turns a year (four digits)
// and a month into the 42 day cells of a Monday-first, six-week grid.
//
// Pure C++20, no Qt and no I/O; nothing here keeps state. The calendar window
// (forms/calendar) reads its selectors, calls these functions step by step and
// writes the cells; the benchmarks and tests call layout() directly.
// monthtext.h lays the same months out as text, for the command line and the
// clipboard.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace engine {

// Days of each month in a common year, January first.
inline constexpr std::array<std::int16_t, 12> monthLength{
    31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31,
};

// Days from 1 January to the 1st of each month in a common year, modulo 7.
inline constexpr std::array<std::int16_t, 12> monthCode{
    0, 3, 3, 6, 1, 4, 6, 2, 5, 0, 3, 5,
};

// The 28 years of the weekday cycle in order, with a blank (0) after each of
// the cycle's leap years 4, 8, ... 24: cycle year k stands at index
// (k - 1) + (k - 1) / 4, and that index modulo 7 is how many weekdays its
// 1 January falls after that of cycle year 1. The blanks are never looked up.
inline constexpr std::array<std::int16_t, 34> cyclePosition{
    1,  2,  3,  4,  0, //
    5,  6,  7,  8,  0, //
    9,  10, 11, 12, 0, //
    13, 14, 15, 16, 0, //
    17, 18, 19, 20, 0, //
    21, 22, 23, 24, 0, //
    25, 26, 27, 28,
};

inline constexpr int cellCount = 42;

// One selection: four digit positions (0-9) and the month index (0-11).
struct Selection {
    std::int16_t thousands = 0;
    std::int16_t hundreds = 0;
    std::int16_t tens = 0;
    std::int16_t units = 0;
    std::int16_t month = 0;

    [[nodiscard]] constexpr bool isValid() const
    {
        auto digit = [](std::int16_t d) { return d >= 0 && d <= 9; };
        return digit(thousands) && digit(hundreds) && digit(tens) && digit(units) && month >= 0 && month <= 11;
    }
};

// The selection that shows `month` (1-12) of `year` (0-9999).
[[nodiscard]] constexpr Selection selectionOf(int year, int month)
{
    return {static_cast<std::int16_t>(year / 1000), static_cast<std::int16_t>(year / 100 % 10),
            static_cast<std::int16_t>(year / 10 % 10), static_cast<std::int16_t>(year % 10),
            static_cast<std::int16_t>(month - 1)};
}

// Gregorian leap years, except that every 3200th year is common:
// 0, 3200, 6400 and 9600 have a 28-day February.
[[nodiscard]] constexpr bool isLeapYear(int year)
{
    if (year % 4 != 0)
        return false;
    if (year % 100 != 0)
        return true;
    if (year % 400 != 0)
        return false;
    return year % 3200 != 0;
}

namespace detail {

// Weekday (1 = Monday ... 7 = Sunday) of 1 January, step by step from the
// century's remainder and the two-digit year's place in the cycle.
[[nodiscard]] constexpr std::int16_t januaryWeekday(int centuryRemainder, int twoDigitYear)
{
    const int cycleYear = twoDigitYear % 28 == 0 ? 28 : twoDigitYear % 28;
    int position = 0;
    while (cyclePosition[position] != cycleYear)
        ++position;
    const int t = position % 7 - 2 * centuryRemainder; // -6 .. 6
    int weekday = t < 0 ? t + 8 : t + 1;
    // The cycle treats year 00 of every century as a leap year. 1900, 2100 and
    // the other centuries not divisible by 400 are common years: their
    // 1 January is one weekday later than the cycle says (1900-01-01 was a
    // Monday, right after Sunday 1899-12-31).
    if (twoDigitYear == 0 && centuryRemainder != 0)
        weekday = weekday % 7 + 1;
    return static_cast<std::int16_t>(weekday);
}

// The same for all 4 x 100 cases, worked out once by the compiler: a drawing
// then costs a lookup, not a search of the cycle.
inline constexpr auto januaryTable = [] {
    std::array<std::array<std::int8_t, 100>, 4> table{};
    for (int c = 0; c < 4; ++c)
        for (int y = 0; y < 100; ++y)
            table[static_cast<std::size_t>(c)][static_cast<std::size_t>(y)] =
                static_cast<std::int8_t>(januaryWeekday(c, y));
    return table;
}();

} // namespace detail

// Weekday (1 = Monday ... 7 = Sunday) of 1 January of the selected year.
[[nodiscard]] constexpr std::int16_t januaryWeekday(const Selection &s)
{
    const int centuryRemainder = (s.thousands * 10 + s.hundreds) % 4;
    const int twoDigitYear = s.tens * 10 + s.units;
    return detail::januaryTable[static_cast<std::size_t>(centuryRemainder)][static_cast<std::size_t>(twoDigitYear)];
}

// Weekday (1-7) of the 1st of the selected month, before the leap shift.
[[nodiscard]] constexpr std::int16_t firstWeekday(const Selection &s)
{
    int weekday = januaryWeekday(s) + monthCode[s.month];
    if (weekday > 7)
        weekday -= 7;
    return static_cast<std::int16_t>(weekday);
}

[[nodiscard]] constexpr std::int16_t yearNumber(const Selection &s)
{
    return static_cast<std::int16_t>(s.thousands * 1000 + s.hundreds * 100 + s.tens * 10 + s.units);
}

[[nodiscard]] constexpr std::int16_t dayCount(std::int16_t month, bool leapYear)
{
    return month == 1 && leapYear ? std::int16_t{29} : monthLength[month];
}

// Months after February in a leap year move one cell further. The shift is
// added after the weekday is brought into 1-7, so such a month starting on a
// Monday starts at cell 7 and leaves the first row empty (2024-04).
[[nodiscard]] constexpr std::int16_t leapShift(std::int16_t month, bool leapYear)
{
    return month > 1 && leapYear ? std::int16_t{1} : std::int16_t{0};
}

struct MonthLayout {
    std::int16_t startCell = 0; // 0-7: the cell that holds "1"
    std::int16_t days = 0;      // 28-31
    std::int16_t shift = 0;     // the leap shift, 0 or 1

    [[nodiscard]] constexpr int lastCell() const { return startCell + days - 1; }
    // Day number in a cell, or 0 for a cell outside the month.
    [[nodiscard]] constexpr int dayAt(int cell) const
    {
        const int day = cell - startCell + 1;
        return day >= 1 && day <= days ? day : 0;
    }
};

[[nodiscard]] constexpr MonthLayout layout(const Selection &s)
{
    const bool leapYear = isLeapYear(yearNumber(s));
    const std::int16_t shift = leapShift(s.month, leapYear);
    return {static_cast<std::int16_t>(firstWeekday(s) - 1 + shift), dayCount(s.month, leapYear), shift};
}

// The text of a cell holding `day` (0 for an empty cell): "", "1" ... "31".
[[nodiscard]] std::string_view dayText(int day);

} // namespace engine
