#include "monthtext.h"

#include <algorithm>

namespace engine {
namespace {

constexpr int columnWidth = 20; // seven days of two, one blank between
constexpr std::string_view header = "Mo Tu We Th Fr Sa Su";
constexpr std::string_view monthGap = "      ";

// An odd blank goes on the right ("February 1900" in 20: three left, four right).
std::string centred(std::string_view text, int width)
{
    const int margin = width - static_cast<int>(text.size());
    if (margin <= 0)
        return std::string(text);
    const int left = margin / 2;
    std::string line(static_cast<std::size_t>(left), ' ');
    line += text;
    line.append(static_cast<std::size_t>(margin - left), ' ');
    return line;
}

void endLine(std::string &text)
{
    const std::size_t end = text.find_last_not_of(' ');
    text.erase(end == std::string::npos ? 0 : end + 1);
    text += '\n';
}

// One week, all seven columns written out: `columnWidth` characters.
void appendWeek(std::string &text, const MonthWeeks &m, int week)
{
    for (int column = 0; column < 7; ++column) {
        if (column > 0)
            text += ' ';
        const int day = m.dayAt(week, column);
        text += day >= 10 ? static_cast<char>('0' + day / 10) : ' ';
        text += day > 0 ? static_cast<char>('0' + day % 10) : ' ';
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

std::string monthText(int year, int month)
{
    const MonthWeeks m = monthWeeks(year, month);
    std::string text = centred(monthTitle(year, month), columnWidth);
    endLine(text);
    text += header;
    text += '\n';
    for (int week = 0; week < m.weeks(); ++week) {
        appendWeek(text, m, week);
        endLine(text);
    }
    return text;
}

std::string yearText(int year)
{
    std::string text = centred(std::to_string(year), 3 * columnWidth + 2 * static_cast<int>(monthGap.size()));
    endLine(text);
    for (int first = 1; first <= 12; first += 3) {
        const std::array<MonthWeeks, 3> row{monthWeeks(year, first), monthWeeks(year, first + 1),
                                            monthWeeks(year, first + 2)};
        text += '\n';
        for (int i = 0; i < 3; ++i) {
            if (i > 0)
                text += monthGap;
            // first - 1 + i counts months, 0 to 11: nothing to lose before the cast.
            // NOLINTNEXTLINE(bugprone-misplaced-widening-cast)
            text += centred(monthName[static_cast<std::size_t>(first - 1 + i)], columnWidth);
        }
        endLine(text);
        for (int i = 0; i < 3; ++i) {
            if (i > 0)
                text += monthGap;
            text += header;
        }
        text += '\n';
        // A month with fewer weeks than its neighbours leaves its column blank.
        const int weeks = std::max({row[0].weeks(), row[1].weeks(), row[2].weeks()});
        for (int week = 0; week < weeks; ++week) {
            for (int i = 0; i < 3; ++i) {
                if (i > 0)
                    text += monthGap;
                if (week < row[static_cast<std::size_t>(i)].weeks())
                    appendWeek(text, row[static_cast<std::size_t>(i)], week);
                else
                    text.append(columnWidth, ' ');
            }
            endLine(text);
        }
    }
    return text;
}

} // namespace engine
