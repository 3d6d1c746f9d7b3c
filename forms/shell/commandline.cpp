#include "commandline.h"

#include "app.h"
#include "engine/monthtext.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <optional>

namespace {

struct OptionHelp {
    const char *shown; // as --help lists it
    const char *description;
};

constexpr std::array<OptionHelp, 4> optionHelp{{
    {"-t, --text", "Print the month as text instead of opening windows: with YEAR alone the whole year, three "
                   "months across; with no arguments today's month."},
    {"    --no-splash", "Open the frame and the calendar at once, without the opening window."},
    {"-h, --help", "Show this help and exit."},
    {"-v, --version", "Show the version and exit."},
}};

constexpr int descriptionColumn = 19;
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

// 1-12, "february" or "feb" in any case.
std::optional<int> monthOf(const QString &word)
{
    if (allDigits(word)) {
        const std::optional<int> month = number(word, 2);
        return month && *month >= 1 && *month <= 12 ? month : std::nullopt;
    }
    for (int month = 1; month <= 12; ++month) {
        const std::string_view name = engine::monthName[static_cast<std::size_t>(month - 1)];
        const QString full = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
        if (word.compare(full, Qt::CaseInsensitive) == 0
            || (word.size() == 3 && word.compare(full.left(3), Qt::CaseInsensitive) == 0))
            return month;
    }
    return std::nullopt;
}

std::optional<int> yearOf(const QString &word)
{
    return number(word, 4);
}

std::string text(const QString &s)
{
    return s.toStdString();
}

} // namespace

QString helpText(const QString &program)
{
    QString help = QStringLiteral("Usage: %1 [OPTION]... [[MONTH] YEAR]\n"
                                  "A perpetual calendar for the years 0 to 9999, weeks running Monday to Sunday.\n"
                                  "\n"
                                  "The calendar opens on today's month, or on MONTH of YEAR; YEAR alone stands for\n"
                                  "its January. MONTH is 1 to 12, an English month name or its first three\n"
                                  "letters, in any case; YEAR is 0 to 9999.\n"
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

CommandLine readCommandLine(const QStringList &arguments, const QDate &today)
{
    const QString program = arguments.isEmpty() ? QStringLiteral("temporia") : QFileInfo(arguments[0]).fileName();
    CommandLine result;
    auto refuse = [&](const QString &problem) {
        result.err = text(QStringLiteral("%1: %2; see '%1 --help'\n").arg(program, problem));
        result.exitCode = 2;
        return result;
    };

    // The options first, then everything else as words: "-5" is a year out
    // of range, not an option.
    QStringList options{program};
    QStringList words;
    bool onlyWords = false;
    for (const QString &argument : arguments.mid(1)) {
        const bool negative = argument.size() > 1 && argument.front() == QLatin1Char('-') && allDigits(argument.mid(1));
        if (onlyWords || negative || !argument.startsWith(QLatin1Char('-')) || argument == QStringLiteral("-"))
            words << argument;
        else if (argument == QStringLiteral("--"))
            onlyWords = true;
        else
            options << argument;
    }

    QCommandLineParser parser;
    const QCommandLineOption textOption({QStringLiteral("t"), QStringLiteral("text")}, QString());
    const QCommandLineOption noSplashOption(QStringLiteral("no-splash"), QString());
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")}, QString());
    parser.addOptions({textOption, noSplashOption, helpOption, versionOption});
    if (!parser.parse(options)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty()) {
            // "Unexpected value after '--text'." as the rest of the line reads.
            QString problem = parser.errorText();
            if (problem.endsWith(QLatin1Char('.')))
                problem.chop(1);
            return refuse(problem.left(1).toLower() + problem.mid(1));
        }
        const QString &name = unknown.front();
        return refuse(QStringLiteral("unknown option '%1%2'").arg(QLatin1String(name.size() == 1 ? "-" : "--"), name));
    }
    if (parser.isSet(helpOption)) {
        result.out = text(helpText(program));
        return result;
    }
    if (parser.isSet(versionOption)) {
        result.out = text(QStringLiteral("%1 %2.%3.%4\n")
                              .arg(rt::App().Title)
                              .arg(rt::App().Major)
                              .arg(rt::App().Minor)
                              .arg(rt::App().Revision));
        return result;
    }

    if (words.size() > 2)
        return refuse(QStringLiteral("too many arguments (at most MONTH and YEAR)"));
    std::optional<int> month;
    std::optional<int> year;
    if (words.size() == 2) {
        month = monthOf(words[0]);
        if (!month)
            return refuse(QStringLiteral("month '%1' is not 1 to 12 or a month's name").arg(words[0]));
    }
    if (!words.isEmpty()) {
        year = yearOf(words.back());
        if (!year && words.size() == 1 && monthOf(words.back()))
            return refuse(QStringLiteral("'%1' needs its year after it").arg(words.back()));
        if (!year)
            return refuse(QStringLiteral("year '%1' is not 0 to 9999").arg(words.back()));
    }

    if (parser.isSet(textOption)) {
        if (!year)
            result.out = engine::monthText(today.year(), today.month());
        else
            result.out = month ? engine::monthText(*year, *month) : engine::yearText(*year);
        return result;
    }
    result.openWindows = true;
    result.start = {year.value_or(-1), month.value_or(1), !parser.isSet(noSplashOption)};
    return result;
}
