// Months and years as plain text, laid out as terminal calendars print them
// with Monday first: a centred title, the header "Mo Tu We Th Fr Sa Su", then
// the weeks with the day numbers right-aligned in columns two wide and one
// apart; a year shows its months three across under a centred year line. No
// line ends in a blank, and every line ends in "\n".
//
// The weeks come from layout(), so text and window agree on every month (the
// 3200 rule included). Only the grid differs: the window keeps six fixed rows,
// text shows whole weeks, so a month that layout() starts in cell 7 (2024-04)
// starts in the first week here, on its Monday.
//
// TextOptions add to that: the ISO week before each week, in a column two wide
// headed "Wk"; the days numbered within the year instead of the month, in
// columns three wide under " Mo  Tu ..."; and marks around chosen days' digits
// (the blanks before them stay outside). Months side by side stand six blanks
// apart, four with the week column (which parts them too), so that a year of
// them fits in 80 columns; a year numbered within the year shows two months
// across instead of three. Without options the text is the plain one above.
#pragma once

#include "calendar.h"
#include "days.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// Full English names: "June" here, where the window's selector says "Jun".
inline constexpr std::array<std::string_view, 12> monthName{
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December",
};

inline constexpr std::array<std::string_view, 7> weekdayName{
    "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday",
};

// A month as whole weeks, Monday first.
struct MonthWeeks {
    int year = 0;
    int month = 1;       // 1-12
    int firstColumn = 0; // weekday of the 1st: 0 Monday ... 6 Sunday
    int days = 0;        // 28-31

    [[nodiscard]] constexpr int weeks() const { return (firstColumn + days + 6) / 7; }
    // The day in week `week` (from 0) and column `column`, or 0 for none.
    [[nodiscard]] constexpr int dayAt(int week, int column) const
    {
        const int day = week * 7 + column - firstColumn + 1;
        return day >= 1 && day <= days ? day : 0;
    }
};

[[nodiscard]] constexpr MonthWeeks monthWeeks(int year, int month)
{
    const MonthLayout l = layout(selectionOf(year, month));
    // The leap shift may push the 1st to cell 7, the Monday of the window's second row.
    return {year, month, l.startCell % 7, l.days};
}

struct TextOptions {
    bool weekNumbers = false;
    bool dayOfYear = false;
    std::vector<Date> marks;        // days shown between markOn and markOff
    std::string markOn = "\x1b[7m"; // reverse video, as terminals take it
    std::string markOff = "\x1b[27m";
};

// "February 1900", "January 0".
[[nodiscard]] std::string monthTitle(int year, int month);

[[nodiscard]] std::string monthText(int year, int month, const TextOptions &options = {});
// Three (or, with dayOfYear, two) months across under the year's number.
[[nodiscard]] std::string yearText(int year, const TextOptions &options = {});
// The month before, the month and the month after side by side, each under its
// own title; at the calendar's ends (January 0, December 9999) only the two
// months that exist.
[[nodiscard]] std::string threeMonthsText(int year, int month, const TextOptions &options = {});

} // namespace engine
