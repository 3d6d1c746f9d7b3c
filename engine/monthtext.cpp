#include "monthtext.h"

#include <algorithm>
#include <charconv>
#include <span>
#include <utility>

namespace engine {
namespace {

constexpr std::string_view header = "Mo Tu We Th Fr Sa Su";
constexpr std::string_view wideHeader = " Mo  Tu  We  Th  Fr  Sa  Su";
constexpr std::string_view weekHeader = "Wk ";

// How wide a month's parts are, as shown: the optional week column, then
// seven day columns one blank apart.
struct Columns {
    int week = 0; // 0, or 3: two digits and a blank
    int day = 2;  // 2, or 3 for days of the year

    explicit Columns(const TextOptions &options)
        : week(options.weekNumbers ? static_cast<int>(weekHeader.size()) : 0)
        , day(options.dayOfYear ? 3 : 2)
    {
    }
    [[nodiscard]] int days() const { return 7 * day + 6; }
    [[nodiscard]] int width() const { return week + days(); }
    [[nodiscard]] std::size_t gap() const { return week > 0 ? 4 : 6; }
};

// An odd blank goes on the right ("February 1900" in 20: three left, four right).
void appendCentred(std::string &text, std::string_view s, int width)
{
    const int margin = std::max(0, width - static_cast<int>(s.size()));
    const int left = margin / 2;
    text.append(static_cast<std::size_t>(left), ' ');
    text += s;
    text.append(static_cast<std::size_t>(margin - left), ' ');
}

void endLine(std::string &text)
{
    const std::size_t end = text.find_last_not_of(' ');
    text.erase(end == std::string::npos ? 0 : end + 1);
    text += '\n';
}

// A number right-aligned in `width` columns, the mark around its digits only.
void appendNumber(std::string &text, int number, int width, bool marked, const TextOptions &options)
{
    std::array<char, 8> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
    const auto length = static_cast<int>(end - digits.data());
    text.append(static_cast<std::size_t>(std::max(0, width - length)), ' ');
    if (marked)
        text += options.markOn;
    text.append(digits.data(), end);
    if (marked)
        text += options.markOff;
}

// One month of several shown side by side.
struct Shown {
    MonthWeeks weeks;
    std::string title;
    int firstDayOfYear = 1; // of the 1st
};

Shown shown(int year, int month, std::string title, const TextOptions &options)
{
    return {monthWeeks(year, month), std::move(title), options.dayOfYear ? dayOfYear({year, month, 1}) : 1};
}

bool isMarked(const TextOptions &options, int year, int month, int day)
{
    return std::find(options.marks.begin(), options.marks.end(), Date{year, month, day}) != options.marks.end();
}

// One week, every column written out: `columns.width()` characters as shown.
void appendWeek(std::string &text, const Shown &s, int week, const Columns &columns, const TextOptions &options)
{
    const MonthWeeks &m = s.weeks;
    if (columns.week > 0) {
        // All days of a Monday-first week lie in one ISO week; the first that
        // belongs to the month names it.
        int first = 0;
        while (first < 7 && m.dayAt(week, first) == 0)
            ++first;
        if (first < 7)
            appendNumber(text, isoWeek({m.year, m.month, m.dayAt(week, first)}).week, 2, false, options);
        else
            text += "  ";
        text += ' ';
    }
    for (int column = 0; column < 7; ++column) {
        if (column > 0)
            text += ' ';
        const int day = m.dayAt(week, column);
        if (day == 0)
            text.append(static_cast<std::size_t>(columns.day), ' ');
        else
            appendNumber(text, options.dayOfYear ? s.firstDayOfYear + day - 1 : day, columns.day,
                         isMarked(options, m.year, m.month, day), options);
    }
}

// The months side by side: their titles, the weekdays, then the weeks; a
// month with fewer weeks than its neighbours leaves its columns blank.
void appendMonths(std::string &text, std::span<const Shown> months, const TextOptions &options)
{
    const Columns columns(options);
    for (std::size_t i = 0; i < months.size(); ++i) {
        if (i > 0)
            text.append(columns.gap(), ' ');
        text.append(static_cast<std::size_t>(columns.week), ' ');
        appendCentred(text, months[i].title, columns.days());
    }
    endLine(text);
    for (std::size_t i = 0; i < months.size(); ++i) {
        if (i > 0)
            text.append(columns.gap(), ' ');
        if (columns.week > 0)
            text += weekHeader;
        text += options.dayOfYear ? wideHeader : header;
    }
    text += '\n';
    int weeks = 0;
    for (const Shown &s : months)
        weeks = std::max(weeks, s.weeks.weeks());
    for (int week = 0; week < weeks; ++week) {
        for (std::size_t i = 0; i < months.size(); ++i) {
            if (i > 0)
                text.append(columns.gap(), ' ');
            if (week < months[i].weeks.weeks())
                appendWeek(text, months[i], week, columns, options);
            else
                text.append(static_cast<std::size_t>(columns.width()), ' ');
        }
        endLine(text);
    }
}

} // namespace

std::string monthTitle(int year, int month)
{
    std::string title(monthName[static_cast<std::size_t>(month - 1)]);
    title += ' ';
    title += std::to_string(year);
    return title;
}

std::string monthText(int year, int month, const TextOptions &options)
{
    const std::array<Shown, 1> months{shown(year, month, monthTitle(year, month), options)};
    std::string text;
    appendMonths(text, months, options);
    return text;
}

std::string yearText(int year, const TextOptions &options)
{
    const Columns columns(options);
    const int across = options.dayOfYear ? 2 : 3;
    const int width = across * columns.width() + (across - 1) * static_cast<int>(columns.gap());
    std::string text;
    appendCentred(text, std::to_string(year), width);
    endLine(text);
    std::vector<Shown> row;
    for (int first = 1; first <= 12; first += across) {
        row.clear();
        for (int month = first; month < first + across; ++month)
            row.push_back(shown(year, month, std::string(monthName[static_cast<std::size_t>(month - 1)]), options));
        text += '\n';
        appendMonths(text, row, options);
    }
    return text;
}

std::string threeMonthsText(int year, int month, const TextOptions &options)
{
    std::vector<Shown> months;
    for (int step = -1; step <= 1; ++step) {
        const int index = year * 12 + month - 1 + step; // months since January 0
        const int y = index / 12;
        const int m = index % 12 + 1;
        if (index >= 0 && y <= lastYear)
            months.push_back(shown(y, m, monthTitle(y, m), options));
    }
    std::string text;
    appendMonths(text, months, options);
    return text;
}

} // namespace engine
