#include "commandline.h"

#include "app.h"
#include "engine/monthtext.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <optional>

namespace {

struct OptionHelp {
    const char *shown; // as --help lists it
    const char *description;
};

constexpr std::array<OptionHelp, 8> optionHelp{{
    {"-t, --text", "Print the month as text instead of opening windows: with YEAR alone the whole year, three "
                   "months across; with MONTH alone that month of this year; with no arguments today's month. "
                   "DAY is marked, and today wherever it is shown (see --color)."},
    {"-3, --three", "With --text, print the month before and the month after beside the month, each under its own "
                    "title; January 0 and December 9999 show the two months that exist. Not with YEAR alone."},
    {"-j, --day-of-year", "With --text, number the days within the year, 1 to 366, in columns three wide; a whole "
                          "year then shows two months across."},
    {"-w, --week-numbers", "Show the ISO 8601 week number before each week (in the text, in a first column "
                           "headed 'Wk')."},
    {"    --color[=WHEN]", "Mark the days in reverse video: WHEN is 'auto' (the default: only when standard output "
                           "is a terminal and NO_COLOR is empty or unset), 'always' (what --color alone means, "
                           "NO_COLOR or not) or 'never'."},
    {"    --no-splash", "Open the frame and the calendar at once, without the opening window."},
    {"-h, --help", "Show this help and exit."},
    {"-v, --version", "Show the version and exit."},
}};

// The options as the command line takes them: a short name may join others
// after one dash ("-th").
struct Switches {
    bool text = false;
    bool three = false;
    bool dayOfYear = false;
    bool weekNumbers = false;
    bool noSplash = false;
    bool help = false;
    bool version = false;
};

struct Switch {
    char shortName; // 0 for none
    const char *longName;
    bool Switches::*set;
};

constexpr std::array<Switch, 7> switches{{
    {'t', "text", &Switches::text},
    {'3', "three", &Switches::three},
    {'j', "day-of-year", &Switches::dayOfYear},
    {'w', "week-numbers", &Switches::weekNumbers},
    {0, "no-splash", &Switches::noSplash},
    {'h', "help", &Switches::help},
    {'v', "version", &Switches::version},
}};

// --color's WHEN, the one option with a value.
enum class When { Auto, Always, Never };

constexpr int descriptionColumn = 23;
constexpr int lineWidth = 79;

QString wrapped(const QString &text, int indent)
{
    QString out;
    int column = indent;
    for (const QString &word : text.split(QLatin1Char(' '))) {
        if (column > indent && column + 1 + word.size() > lineWidth) {
            out += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            column = indent;
        } else if (column > indent) {
            out += QLatin1Char(' ');
            ++column;
        }
        out += word;
        column += static_cast<int>(word.size());
    }
    return out;
}

bool allDigits(const QString &word)
{
    return !word.isEmpty() && std::all_of(word.begin(), word.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

// Leading zeros aside, at most `digits` digits.
std::optional<int> number(const QString &word, int digits)
{
    if (!allDigits(word))
        return std::nullopt;
    QString significant = word;
    while (significant.size() > 1 && significant.front() == QLatin1Char('0'))
        significant.remove(0, 1);
    if (significant.size() > digits)
        return std::nullopt;
    return significant.toInt();
}

// "february" or "feb" in any case.
std::optional<int> monthNamed(const QString &word)
{
    for (int month = 1; month <= 12; ++month) {
        const std::string_view name = engine::monthName[static_cast<std::size_t>(month - 1)];
        const QString full = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
        if (word.compare(full, Qt::CaseInsensitive) == 0
            || (word.size() == 3 && word.compare(full.left(3), Qt::CaseInsensitive) == 0))
            return month;
    }
    return std::nullopt;
}

// 1-12 or a month's name.
std::optional<int> monthOf(const QString &word)
{
    if (allDigits(word)) {
        const std::optional<int> month = number(word, 2);
        return month && *month >= 1 && *month <= 12 ? month : std::nullopt;
    }
    return monthNamed(word);
}

std::optional<int> yearOf(const QString &word)
{
    return number(word, 4);
}

std::optional<int> dayOf(const QString &word)
{
    const std::optional<int> day = number(word, 2);
    return day && *day >= 1 && *day <= 31 ? day : std::nullopt;
}

std::string text(const QString &s)
{
    return s.toStdString();
}

} // namespace

QString helpText(const QString &program)
{
    QString help = QStringLiteral("Usage: %1 [OPTION]... [[[DAY] MONTH] YEAR]\n"
                                  "A perpetual calendar for the years 0 to 9999, weeks running Monday to Sunday.\n"
                                  "\n"
                                  "The calendar opens on today's month, or on MONTH of YEAR; YEAR alone stands for\n"
                                  "its January, MONTH alone for that month of this year. MONTH is 1 to 12, an\n"
                                  "English month name or its first three letters, in any case; YEAR is 0 to 9999.\n"
                                  "A number alone is a year: '12' is the year 12, not December. DAY MONTH YEAR\n"
                                  "names a day (DAY 1 to 31, in that month), and the calendar opens on its month.\n"
                                  "\n"
                                  "An argument that begins with '-' is an option, and one not listed below is\n"
                                  "refused, a negative number such as '-5' too; after '--' every argument is DAY,\n"
                                  "MONTH or YEAR.\n"
                                  "\n"
                                  "Options:\n")
                       .arg(program);
    for (const OptionHelp &option : optionHelp) {
        const QString shown = QStringLiteral("  ") + QString::fromLatin1(option.shown);
        help += shown.leftJustified(descriptionColumn - 1) + QLatin1Char(' ')
                + wrapped(QString::fromLatin1(option.description), descriptionColumn) + QLatin1Char('\n');
    }
    help += QStringLiteral("\n"
                           "Exit status: 0 if all went well, 1 without a display to open windows on, 2 for\n"
                           "arguments it cannot use.\n");
    return help;
}

CommandLine readCommandLine(const QStringList &arguments, const QDate &today, const Output &output)
{
    const QString program = arguments.isEmpty() ? QStringLiteral("temporia") : QFileInfo(arguments[0]).fileName();
    CommandLine result;
    auto refuse = [&](const QString &problem) {
        result.err = text(QStringLiteral("%1: %2; see '%1 --help'\n").arg(program, problem));
        result.exitCode = 2;
        return result;
    };

    // Whatever begins with a dash is an option until "--", "-5" as much as
    // "-x"; after it, and "-" alone, are words, before or after the options.
    Switches given;
    When color = When::Auto;
    QStringList words;
    bool onlyWords = false;
    for (const QString &argument : arguments.mid(1)) {
        if (onlyWords || argument.size() < 2 || !argument.startsWith(QLatin1Char('-'))) {
            words << argument;
        } else if (argument == QStringLiteral("--")) {
            onlyWords = true;
        } else if (argument.startsWith(QStringLiteral("--"))) {
            const QString name = argument.mid(2).section(QLatin1Char('='), 0, 0);
            const bool hasValue = argument.contains(QLatin1Char('='));
            if (name == QStringLiteral("color")) {
                const QString value = hasValue ? argument.section(QLatin1Char('='), 1) : QStringLiteral("always");
                if (value == QStringLiteral("always"))
                    color = When::Always;
                else if (value == QStringLiteral("never"))
                    color = When::Never;
                else if (value == QStringLiteral("auto"))
                    color = When::Auto;
                else
                    return refuse(QStringLiteral("'%1' is not always, never or auto for '--color'").arg(value));
                continue;
            }
            const auto known = std::find_if(switches.begin(), switches.end(), [&](const Switch &option) {
                return name == QLatin1String(option.longName);
            });
            if (known == switches.end())
                return refuse(QStringLiteral("unknown option '--%1'").arg(name));
            if (hasValue)
                return refuse(QStringLiteral("unexpected value after '--%1'").arg(name));
            given.*known->set = true;
        } else {
            for (const QChar letter : argument.mid(1)) {
                const auto known = std::find_if(switches.begin(), switches.end(), [&](const Switch &option) {
                    return option.shortName != 0 && letter == QLatin1Char(option.shortName);
                });
                if (known == switches.end())
                    return refuse(QStringLiteral("unknown option '%1'").arg(argument));
                given.*known->set = true;
            }
        }
    }
    if (given.help) {
        result.out = text(helpText(program));
        return result;
    }
    if (given.version) {
        result.out = text(QStringLiteral("%1 %2.%3.%4\n")
                              .arg(rt::App().Title)
                              .arg(rt::App().Major)
                              .arg(rt::App().Minor)
                              .arg(rt::App().Revision));
        return result;
    }

    if (words.size() > 3)
        return refuse(QStringLiteral("too many arguments (at most DAY, MONTH and YEAR)"));
    std::optional<int> day;
    std::optional<int> month;
    std::optional<int> year;
    if (words.size() >= 2) {
        const qsizetype m = words.size() - 2;
        if (m == 0 && monthNamed(words[1]))
            return refuse(
                QStringLiteral("a day needs a month and a year: '%1 %2' has no year").arg(words[0], words[1]));
        if (m == 1) {
            day = dayOf(words[0]);
            if (!day)
                return refuse(QStringLiteral("day '%1' is not 1 to 31").arg(words[0]));
        }
        month = monthOf(words[m]);
        if (!month)
            return refuse(QStringLiteral("month '%1' is not 1 to 12 or a month's name").arg(words[m]));
        year = yearOf(words[m + 1]);
        if (!year)
            return refuse(QStringLiteral("year '%1' is not 0 to 9999").arg(words[m + 1]));
        if (day && *day > engine::daysInMonth(*year, *month))
            return refuse(QStringLiteral("day '%1' is not in %2")
                              .arg(words[0], QString::fromStdString(engine::monthTitle(*year, *month))));
    } else if (words.size() == 1) {
        // A number alone is a year, "12" as much as "1900"; a month's name
        // alone is that month of this year.
        const QString &word = words[0];
        year = yearOf(word);
        month = year ? std::nullopt : monthNamed(word);
        if (month)
            year = today.year();
        else if (!year && std::any_of(word.begin(), word.end(), [](QChar c) { return c.isLetter(); }))
            return refuse(QStringLiteral("'%1' is not a month's name or a year 0 to 9999").arg(word));
        else if (!year)
            return refuse(QStringLiteral("year '%1' is not 0 to 9999").arg(word));
    }

    if (!given.text) {
        if (given.three || given.dayOfYear)
            return refuse(QStringLiteral("option '%1' needs --text")
                              .arg(given.three ? QStringLiteral("-3") : QStringLiteral("-j")));
        result.openWindows = true;
        result.start = {year.value_or(-1), month.value_or(1), !given.noSplash, day.value_or(0), std::nullopt};
        if (given.weekNumbers)
            result.start.weekNumbers = true;
        return result;
    }
    if (given.three && year && !month)
        return refuse(QStringLiteral("option '-3' needs a month, not a year alone"));

    engine::TextOptions options;
    options.weekNumbers = given.weekNumbers;
    options.dayOfYear = given.dayOfYear;
    if (color == When::Always || (color == When::Auto && output.terminal && !output.noColor)) {
        if (today.isValid() && today.year() >= engine::firstYear && today.year() <= engine::lastYear)
            options.marks.push_back({today.year(), today.month(), today.day()});
        if (day)
            options.marks.push_back({*year, *month, *day});
    }
    if (!year) {
        year = today.year();
        month = today.month();
    }
    if (given.three)
        result.out = engine::threeMonthsText(*year, *month, options);
    else
        result.out = month ? engine::monthText(*year, *month, options) : engine::yearText(*year, options);
    return result;
}
