// The command line: the month the windows start on, text printed instead of
// windows, the marked days and when they are marked, help, version and
// refused arguments; as the program runs it without a display and on a
// terminal; and the manual page beside --help.
#include "calendar/form1.h"
#include "calendarcells.h"
#include "doubles.h"
#include "engine/monthtext.h"
#include "shell/commandline.h"
#include "shell/frmsplash.h"
#include "shell/mdiform1.h"
#include "webdouble.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <optional>

namespace {

const QDate today{2026, 6, 15};

CommandLine read(const QString &arguments, const Output &output = {})
{
    return readCommandLine(QStringList{QStringLiteral("/usr/bin/temporia")}
                               + arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts),
                           today, output);
}

const QByteArray markOn = "\x1b[7m";
const QByteArray markOff = "\x1b[27m";

// The digits between the marks, in the order they stand in the text.
QStringList markedIn(const QByteArray &text)
{
    QStringList marked;
    const QRegularExpression mark(QStringLiteral("\x1b\\[7m(\\d+)\x1b\\[27m"));
    for (const QRegularExpressionMatch &m : mark.globalMatch(QString::fromLatin1(text)))
        marked << m.captured(1);
    return marked;
}

QByteArray withoutMarks(QByteArray text)
{
    return text.replace(markOn, QByteArray()).replace(markOff, QByteArray());
}

QString text(const std::string &s)
{
    return QString::fromStdString(s);
}

using testing::cells;

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// The program itself with NO_COLOR as given (a null string: not set), its
// standard output on a terminal (onterminal.py) or a pipe.
QByteArray runWithColorSetting(const QStringList &arguments, bool terminal, const QString &noColor)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("NO_COLOR"));
    if (!noColor.isNull())
        environment.insert(QStringLiteral("NO_COLOR"), noColor);
    program.setProcessEnvironment(environment);
    if (terminal)
        program.start(QStringLiteral("/usr/bin/python3"),
                      QStringList{QStringLiteral(ONTERMINAL_PY), QStringLiteral(PROGRAM)} + arguments);
    else
        program.start(QStringLiteral(PROGRAM), arguments);
    if (!program.waitForFinished(60000) || program.exitCode() != 0)
        return "failed: " + program.readAllStandardError();
    return program.readAllStandardOutput();
}

// The program itself, with no display and a platform plugin that does not
// exist: anything that made a GUI application object would fail, and
// QT_DEBUG_PLUGINS would report every plugin loaded on stderr.
Run runWithoutDisplay(const QStringList &arguments)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("nonexistent"));
    environment.insert(QStringLiteral("QT_DEBUG_PLUGINS"), QStringLiteral("1"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(PROGRAM), arguments);
    if (!program.waitForFinished(60000))
        return {};
    return {program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()),
            QString::fromUtf8(program.readAllStandardError())};
}

struct Entry {
    QString names;
    QString description;
};

QString simplified(QString s)
{
    return s.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" ")).trimmed();
}

// "  -t, --text       Print ..." and its following lines, until the next option.
QList<Entry> helpOptions(const QString &help)
{
    QList<Entry> entries;
    const QString section = help.section(QStringLiteral("Options:\n"), 1).section(QStringLiteral("\n\n"), 0, 0);
    for (const QString &line : section.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('-'))) {
            const qsizetype gap = trimmed.indexOf(QStringLiteral("  "));
            entries.append({trimmed.left(gap), trimmed.mid(gap)});
        } else if (!entries.isEmpty()) {
            entries.last().description += QLatin1Char(' ') + trimmed;
        }
    }
    for (Entry &e : entries)
        e.description = simplified(e.description);
    return entries;
}

// The .TP entries of the manual page's OPTIONS section, font changes removed.
QList<Entry> manualOptions(const QString &page)
{
    QString options = page.section(QStringLiteral(".SH OPTIONS\n"), 1).section(QStringLiteral("\n.SH "), 0, 0);
    options.remove(QRegularExpression(QStringLiteral("\\\\f[BIRP]")));
    options.replace(QStringLiteral("\\-"), QStringLiteral("-"));
    QList<Entry> entries;
    for (const QString &item : options.split(QStringLiteral(".TP\n"), Qt::SkipEmptyParts)) {
        // ".BR \-t ", " \-\-text": the alternating macros join their words without a blank.
        const QString line = item.section(QLatin1Char('\n'), 0, 0);
        const QString macro = line.section(QLatin1Char(' '), 0, 0);
        QStringList words;
        const QRegularExpression word(QStringLiteral("\"([^\"]*)\"|(\\S+)"));
        for (const QRegularExpressionMatch &m : word.globalMatch(line.section(QLatin1Char(' '), 1)))
            words << (m.capturedLength(1) ? m.captured(1) : m.captured(2));
        const bool alternating = macro.size() == 3;
        entries.append({simplified(words.join(alternating ? QString() : QStringLiteral(" "))),
                        simplified(item.section(QLatin1Char('\n'), 1))});
    }
    return entries;
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { rt::installFonts(); }

    // Through the program's own start: the calendar comes up on the month
    // asked for, after the splash or at once; later loads show today again.
    void opensTheCalendarOnTheMonthAsked_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<bool>("splash");
        QTest::addColumn<QDate>("shown");
        QTest::newRow("2 1900") << QStringLiteral("2 1900") << true << QDate(1900, 2, 1);
        QTest::newRow("FEB 1900") << QStringLiteral("FEB 1900") << true << QDate(1900, 2, 1);
        QTest::newRow("year alone") << QStringLiteral("1900") << true << QDate(1900, 1, 1);
        QTest::newRow("12 alone is a year") << QStringLiteral("12") << true << QDate(12, 1, 1);
        QTest::newRow("month alone") << QStringLiteral("dec") << true << QDate(2026, 12, 1);
        QTest::newRow("month alone, no splash") << QStringLiteral("--no-splash March") << false << QDate(2026, 3, 1);
        QTest::newRow("nothing") << QString() << true << today;
        QTest::newRow("without splash") << QStringLiteral("--no-splash december 9999") << false << QDate(9999, 12, 1);
        QTest::newRow("without splash, today") << QStringLiteral("--no-splash") << false << today;
        QTest::newRow("3200 March, no splash") << QStringLiteral("3 3200 --no-splash") << false << QDate(3200, 3, 1);
        QTest::newRow("a day, week numbers") << QStringLiteral("-w 14 jul 1789") << true << QDate(1789, 7, 1);
    }
    void opensTheCalendarOnTheMonthAsked()
    {
        QFETCH(QString, arguments);
        QFETCH(bool, splash);
        QFETCH(QDate, shown);
        testing::ProgramDoubles d;
        d.date.date = today;
        const CommandLine command = read(arguments);
        QVERIFY(command.openWindows);
        QCOMPARE(command.exitCode, 0);

        startWindows(command.start);
        QCOMPARE(rt::isLoaded<frmSplash>(), splash);
        QCOMPARE(rt::isLoaded<Form1>(), !splash);
        if (splash)
            d.clock.advance(5000);
        QVERIFY(!rt::isLoaded<frmSplash>());
        Form1 &f = rt::form<Form1>();
        QVERIFY(f.Visible());
        QCOMPARE(rt::form<MDIForm1>().WindowState(), rt::WindowState::Maximised);
        QCOMPARE(cells(f), testing::expectedCells(shown.year(), shown.month()));
        QCOMPARE(f.monthc->ListIndex(), shown.month() - 1);
        QCOMPARE(f.millenium->Text() + f.century->Text() + f.decade->Text() + f.yearc->Text(),
                 QStringLiteral("%1").arg(shown.year(), 4, 10, QLatin1Char('0')));
        // A day named is the chosen one, with the focus; -w shows the week numbers.
        const int day = command.start.day;
        QCOMPARE(f.chosenDay().has_value(), day > 0);
        if (day > 0) {
            QCOMPARE(f.chosenDay()->day, day);
            const auto *focus = qobject_cast<rt::TextBox *>(f.client()->window()->focusWidget());
            QVERIFY(focus);
            QCOMPARE(focus->Text(), QString::number(day));
        }
        QCOMPARE(f.weekNumbersShown(), command.start.weekNumbers.value_or(false));

        // The calendar unloaded while the frame stays: back on today at the next tick.
        f.Unload();
        d.clock.advance(20000);
        QCOMPARE(cells(rt::form<Form1>()), testing::expectedCells(today.year(), today.month()));
        QVERIFY(d.messages.shown.empty());
    }

    // What the windows are to show beyond the month: the day named, and week
    // numbers if asked for (unset otherwise: the window decides). --color
    // means nothing to them and is let be, for a shell's alias.
    void startOptionsCarryTheDayAndWeekNumbers_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("day");
        QTest::addColumn<std::optional<bool>>("weekNumbers");
        QTest::newRow("day") << QStringLiteral("14 7 1789") << 14 << std::optional<bool>();
        QTest::newRow("month") << QStringLiteral("7 1789") << 0 << std::optional<bool>();
        QTest::newRow("-w") << QStringLiteral("-w 2 1900") << 0 << std::optional<bool>(true);
        QTest::newRow("--week-numbers, a day")
            << QStringLiteral("--week-numbers 29 2 2000") << 29 << std::optional<bool>(true);
        QTest::newRow("--color") << QStringLiteral("--color=always --no-splash") << 0 << std::optional<bool>();
    }
    void startOptionsCarryTheDayAndWeekNumbers()
    {
        QFETCH(QString, arguments);
        QFETCH(int, day);
        QFETCH(std::optional<bool>, weekNumbers);
        const CommandLine command = read(arguments);
        QVERIFY2(command.openWindows, command.err.c_str());
        QCOMPARE(command.start.day, day);
        QCOMPARE(command.start.weekNumbers, weekNumbers);
    }

    void printsTextInsteadOfWindows_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("out");
        const QString february1900 = QStringLiteral("   February 1900\n"
                                                    "Mo Tu We Th Fr Sa Su\n"
                                                    "          1  2  3  4\n"
                                                    " 5  6  7  8  9 10 11\n"
                                                    "12 13 14 15 16 17 18\n"
                                                    "19 20 21 22 23 24 25\n"
                                                    "26 27 28\n");
        QTest::newRow("--text 2 1900") << QStringLiteral("--text 2 1900") << february1900;
        QTest::newRow("-t feb 1900") << QStringLiteral("-t feb 1900") << february1900;
        QTest::newRow("options after") << QStringLiteral("February 1900 -t") << february1900;
        QTest::newRow("leading zeros") << QStringLiteral("-t 02 01900") << february1900;
        QTest::newRow("year alone") << QStringLiteral("-t 1900") << text(engine::yearText(1900));
        QTest::newRow("year 0") << QStringLiteral("-t 0") << text(engine::yearText(0));
        QTest::newRow("today") << QStringLiteral("--text") << text(engine::monthText(2026, 6));
        QTest::newRow("jun 9999") << QStringLiteral("-t jun 9999") << text(engine::monthText(9999, 6));
        // A month's name alone is this year's; a number alone is always a year.
        QTest::newRow("dec alone") << QStringLiteral("--text dec") << text(engine::monthText(2026, 12));
        QTest::newRow("DECEMBER alone") << QStringLiteral("DECEMBER -t") << text(engine::monthText(2026, 12));
        QTest::newRow("12 alone") << QStringLiteral("--text 12") << text(engine::yearText(12));
        QTest::newRow("1 alone") << QStringLiteral("-t 1") << text(engine::yearText(1));
        QTest::newRow("words after --") << QStringLiteral("-t -- 2 1900") << february1900;
        QTest::newRow("short options joined") << QStringLiteral("-tt 2 1900") << february1900;
        // Not on a terminal, a day changes nothing.
        QTest::newRow("a day") << QStringLiteral("-t 14 2 1900") << february1900;
        QTest::newRow("a day, never marked") << QStringLiteral("-t --color=never 14 feb 1900") << february1900;
        engine::TextOptions weeks;
        weeks.weekNumbers = true;
        engine::TextOptions days;
        days.dayOfYear = true;
        engine::TextOptions both = weeks;
        both.dayOfYear = true;
        QTest::newRow("-3") << QStringLiteral("-t -3 2 1900") << text(engine::threeMonthsText(1900, 2, {}));
        QTest::newRow("-3 today") << QStringLiteral("--three --text") << text(engine::threeMonthsText(2026, 6, {}));
        QTest::newRow("-3 this year's") << QStringLiteral("-3t jan") << text(engine::threeMonthsText(2026, 1, {}));
        QTest::newRow("-3 a day") << QStringLiteral("-3t 1 1 0") << text(engine::threeMonthsText(0, 1, {}));
        QTest::newRow("-w") << QStringLiteral("-tw 2 1900") << text(engine::monthText(1900, 2, weeks));
        QTest::newRow("-w year") << QStringLiteral("-t --week-numbers 1900") << text(engine::yearText(1900, weeks));
        QTest::newRow("-j") << QStringLiteral("-t --day-of-year 2 1900") << text(engine::monthText(1900, 2, days));
        QTest::newRow("-j year") << QStringLiteral("-tj 2024") << text(engine::yearText(2024, days));
        QTest::newRow("-3 -w -j") << QStringLiteral("-3 -w -j -t 12 9999")
                                  << text(engine::threeMonthsText(9999, 12, both));
        QTest::newRow("-wj year") << QStringLiteral("-twj 3200") << text(engine::yearText(3200, both));
    }
    void printsTextInsteadOfWindows()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, out);
        const CommandLine command = read(arguments);
        QVERIFY(!command.openWindows);
        QCOMPARE(command.exitCode, 0);
        QCOMPARE(text(command.out), out);
        QVERIFY(command.err.empty());
    }

    // One line on stderr that names the problem and points to --help; nothing on stdout.
    void refusesArgumentsItCannotUse_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("problem");
        QTest::newRow("month 0") << QStringLiteral("0 2000") << QStringLiteral("month '0'");
        QTest::newRow("month 13") << QStringLiteral("13 2000") << QStringLiteral("month '13'");
        QTest::newRow("unknown name") << QStringLiteral("-t juni 2000") << QStringLiteral("month 'juni'");
        QTest::newRow("two letters") << QStringLiteral("ju 2000") << QStringLiteral("month 'ju'");
        QTest::newRow("year 10000") << QStringLiteral("2 10000") << QStringLiteral("year '10000'");
        QTest::newRow("huge year") << QStringLiteral("99999999999999999999") << QStringLiteral("year '9999999");
        QTest::newRow("year in words") << QStringLiteral("2 nineteen") << QStringLiteral("year 'nineteen'");
        QTest::newRow("word alone") << QStringLiteral("--text juni") << QStringLiteral("'juni' is not a month's name");
        QTest::newRow("too many") << QStringLiteral("1 2 1900 4") << QStringLiteral("too many arguments");
        QTest::newRow("day 0") << QStringLiteral("-t 0 2 1900") << QStringLiteral("day '0' is not 1 to 31");
        QTest::newRow("day 32") << QStringLiteral("32 1 1900") << QStringLiteral("day '32' is not 1 to 31");
        QTest::newRow("day in words") << QStringLiteral("-t first 1 1900") << QStringLiteral("day 'first'");
        QTest::newRow("31 June") << QStringLiteral("-t 31 6 1789") << QStringLiteral("day '31' is not in June 1789");
        QTest::newRow("29 February 1900")
            << QStringLiteral("29 feb 1900") << QStringLiteral("day '29' is not in February 1900");
        // The 3200 rule: no 29 February.
        QTest::newRow("29 February 3200")
            << QStringLiteral("-t 29 2 3200") << QStringLiteral("day '29' is not in February 3200");
        QTest::newRow("bad month after a day") << QStringLiteral("-t 3 13 1900") << QStringLiteral("month '13'");
        QTest::newRow("bad year after a day") << QStringLiteral("-t 3 1 10000") << QStringLiteral("year '10000'");
        QTest::newRow("day and month, no year")
            << QStringLiteral("-t 14 jul") << QStringLiteral("a day needs a month and a year");
        QTest::newRow("-3 with a year alone")
            << QStringLiteral("-t -3 1900") << QStringLiteral("option '-3' needs a month");
        QTest::newRow("-3 without --text") << QStringLiteral("-3 2 1900") << QStringLiteral("option '-3' needs --text");
        QTest::newRow("-j without --text")
            << QStringLiteral("--day-of-year") << QStringLiteral("option '-j' needs --text");
        QTest::newRow("--color=sometimes")
            << QStringLiteral("-t --color=sometimes") << QStringLiteral("'sometimes' is not always, never or auto");
        QTest::newRow("--color=") << QStringLiteral("-t --color=") << QStringLiteral("'' is not always");
        QTest::newRow("unknown option") << QStringLiteral("--month 2") << QStringLiteral("unknown option '--month'");
        QTest::newRow("unknown short option") << QStringLiteral("-x") << QStringLiteral("unknown option '-x'");
        QTest::newRow("known and unknown joined") << QStringLiteral("-tx") << QStringLiteral("unknown option '-tx'");
        // A number after a dash is an option like any other, not a year or a month.
        QTest::newRow("-4") << QStringLiteral("--text -4") << QStringLiteral("unknown option '-4'");
        QTest::newRow("-5 alone") << QStringLiteral("-5") << QStringLiteral("unknown option '-5'");
        QTest::newRow("-12") << QStringLiteral("-t -12") << QStringLiteral("unknown option '-12'");
        QTest::newRow("-1 as a month") << QStringLiteral("-1 2000") << QStringLiteral("unknown option '-1'");
        QTest::newRow("-3 after --") << QStringLiteral("-t -- -3") << QStringLiteral("year '-3' is not 0 to 9999");
        QTest::newRow("-3 joined with a number") << QStringLiteral("-t -31") << QStringLiteral("unknown option '-31'");
        QTest::newRow("unknown long option with value")
            << QStringLiteral("--month=2") << QStringLiteral("unknown option '--month'");
        QTest::newRow("value for a switch") << QStringLiteral("--text=2") << QStringLiteral("--text");
    }
    void refusesArgumentsItCannotUse()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, problem);
        const CommandLine command = read(arguments);
        QVERIFY(!command.openWindows);
        QCOMPARE(command.exitCode, 2);
        QVERIFY(command.out.empty());
        const QString err = text(command.err);
        QVERIFY2(err.startsWith(QStringLiteral("temporia: ")) && err.contains(problem)
                     && err.endsWith(QStringLiteral("see 'temporia --help'\n")) && err.count(QLatin1Char('\n')) == 1,
                 qPrintable(err));
    }

    // Reverse video around the marked days' digits, the blanks before them
    // left out: the day named and today (2026-06-15) wherever they are shown,
    // once each. Without the marks the text is the one printed without
    // colour. --color=auto (the default) marks only on a terminal and without
    // NO_COLOR; --color alone is --color=always, which NO_COLOR does not stop.
    void marksDaysInReverseVideo_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<bool>("terminal");
        QTest::addColumn<bool>("noColor");
        QTest::addColumn<QStringList>("marked");
        const QString always = QStringLiteral("-t --color=always ");
        QTest::newRow("a day") << always + QStringLiteral("14 7 1789") << false << false << QStringList{"14"};
        QTest::newRow("one digit") << always + QStringLiteral("5 2 1900") << false << false << QStringList{"5"};
        QTest::newRow("today") << always << false << false << QStringList{"15"};
        QTest::newRow("the day and today")
            << always + QStringLiteral("3 jun 2026") << false << false << QStringList{"3", "15"};
        QTest::newRow("the day is today")
            << always + QStringLiteral("15 6 2026") << false << false << QStringList{"15"};
        QTest::newRow("today in its year") << always + QStringLiteral("2026") << false << false << QStringList{"15"};
        QTest::newRow("another year") << always + QStringLiteral("2025") << false << false << QStringList{};
        QTest::newRow("-3: the day before, today")
            << always + QStringLiteral("-3 31 5 2026") << false << false << QStringList{"15", "31"};
        QTest::newRow("-3 at the end") << always + QStringLiteral("-3 31 12 9999") << false << false
                                       << QStringList{"31"};
        QTest::newRow("-j: the day of the year")
            << always + QStringLiteral("-j 14 7 1789") << false << false << QStringList{"195"};
        QTest::newRow("-j: today in its year")
            << always + QStringLiteral("-j 2026") << false << false << QStringList{"166"};
        QTest::newRow("-w: not the week")
            << always + QStringLiteral("-w 14 7 1789") << false << false << QStringList{"14"};
        QTest::newRow("-3wj") << always + QStringLiteral("-3wj 1 7 2026") << false << false
                              << QStringList{"182", "166"};
        QTest::newRow("--color alone") << QStringLiteral("-t --color 5 2 1900") << false << false << QStringList{"5"};
        QTest::newRow("auto, terminal") << QStringLiteral("-t 5 2 1900") << true << false << QStringList{"5"};
        QTest::newRow("auto, no terminal") << QStringLiteral("-t 5 2 1900") << false << false << QStringList{};
        QTest::newRow("auto, NO_COLOR") << QStringLiteral("-t --color=auto 5 2 1900") << true << true << QStringList{};
        QTest::newRow("never, terminal") << QStringLiteral("-t --color=never 5 2 1900") << true << false
                                         << QStringList{};
        QTest::newRow("always, NO_COLOR") << always + QStringLiteral("5 2 1900") << false << true << QStringList{"5"};
        QTest::newRow("the last --color")
            << always + QStringLiteral("--color=never 5 2 1900") << true << false << QStringList{};
    }
    void marksDaysInReverseVideo()
    {
        QFETCH(QString, arguments);
        QFETCH(bool, terminal);
        QFETCH(bool, noColor);
        QFETCH(QStringList, marked);
        const CommandLine command = read(arguments, {terminal, noColor});
        QCOMPARE(command.exitCode, 0);
        const QByteArray out = QByteArray::fromStdString(command.out);
        QCOMPARE(markedIn(out), marked);
        QCOMPARE(out.count('\x1b'), 2 * marked.size());
        const CommandLine plain = read(arguments + QStringLiteral(" --color=never"));
        QCOMPARE(withoutMarks(out), QByteArray::fromStdString(plain.out));
    }

    // The real program decides for itself whether its output is a terminal,
    // and reads NO_COLOR: set and empty, it does not count.
    void marksOnATerminal_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<bool>("terminal");
        QTest::addColumn<QString>("noColor");
        QTest::addColumn<bool>("marked");
        const QString day = QStringLiteral("-t 5 2 1900");
        QTest::newRow("terminal") << day << true << QString() << true;
        QTest::newRow("terminal, NO_COLOR empty") << day << true << QStringLiteral("") << true;
        QTest::newRow("terminal, NO_COLOR=1") << day << true << QStringLiteral("1") << false;
        QTest::newRow("terminal, NO_COLOR=1, always")
            << day + QStringLiteral(" --color=always") << true << QStringLiteral("1") << true;
        QTest::newRow("pipe") << day << false << QString() << false;
        QTest::newRow("pipe, always") << day + QStringLiteral(" --color=always") << false << QString() << true;
    }
    void marksOnATerminal()
    {
        QFETCH(QString, arguments);
        QFETCH(bool, terminal);
        QFETCH(QString, noColor);
        QFETCH(bool, marked);
        QByteArray expected = QByteArray::fromStdString(engine::monthText(1900, 2));
        if (marked)
            expected.replace(" 5  6", " " + markOn + "5" + markOff + "  6");
        QCOMPARE(runWithColorSetting(arguments.split(QLatin1Char(' ')), terminal, noColor), expected);
    }

    void helpAndVersion()
    {
        for (const QString &option : {QStringLiteral("--help"), QStringLiteral("-h"), QStringLiteral("-t 13 --help")}) {
            const CommandLine command = read(option);
            QCOMPARE(command.exitCode, 0);
            QCOMPARE(text(command.out), helpText(QStringLiteral("temporia")));
        }
        const QString help = helpText(QStringLiteral("temporia"));
        QVERIFY(help.startsWith(QStringLiteral("Usage: temporia [OPTION]... [[[DAY] MONTH] YEAR]\n")));
        for (const QString &line : help.split(QLatin1Char('\n')))
            QVERIFY2(line.size() <= 79, qPrintable(line));
        QCOMPARE(text(read(QStringLiteral("--version")).out), QStringLiteral("TEMPORIA 1.0.0\n"));
    }

    // What the shell sees: output, exit status, and no display needed for
    // text, help and version; the windows still need one.
    void runsWithoutDisplay_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("text") << QStringList{"--text", "2", "1900"} << 0 << text(engine::monthText(1900, 2))
                              << QString();
        QTest::newRow("year") << QStringList{"-t", "3200"} << 0 << text(engine::yearText(3200)) << QString();
        QTest::newRow("month alone") << QStringList{"--text", "dec"} << 0
                                     << text(engine::monthText(QDate::currentDate().year(), 12)) << QString();
        QTest::newRow("help") << QStringList{"--help"} << 0 << helpText(QStringLiteral("temporia")) << QString();
        QTest::newRow("version") << QStringList{"--version"} << 0 << QStringLiteral("TEMPORIA 1.0.0\n") << QString();
        QTest::newRow("bad month") << QStringList{"13", "2000"} << 2 << QString()
                                   << QStringLiteral("temporia: month '13' is not 1 to 12 or a month's name; "
                                                     "see 'temporia --help'\n");
        QTest::newRow("negative number") << QStringList{"--text", "-4"} << 2 << QString()
                                         << QStringLiteral("temporia: unknown option '-4'; see 'temporia --help'\n");
        QTest::newRow("negative number after --")
            << QStringList{"--", "-3"} << 2 << QString()
            << QStringLiteral("temporia: year '-3' is not 0 to 9999; see 'temporia --help'\n");
        QTest::newRow("windows") << QStringList{"2", "1900"} << 1 << QString() << QStringLiteral("display");
    }
    void runsWithoutDisplay()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Run run = runWithoutDisplay(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.out, out);
        if (exitCode == 1)
            QVERIFY2(run.err.contains(err) && run.err.count(QLatin1Char('\n')) == 1, qPrintable(run.err));
        else
            QCOMPARE(run.err, err);
    }

    // The manual page lists the options of --help, in the same order and words.
    void manualPageListsTheOptionsOfHelp()
    {
        QFile page(QStringLiteral(MANUAL_PAGE));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QList<Entry> manual = manualOptions(QString::fromUtf8(page.readAll()));
        const QList<Entry> help = helpOptions(helpText(QStringLiteral("temporia")));
        QCOMPARE(help.size(), 8);
        QCOMPARE(manual.size(), help.size());
        for (qsizetype i = 0; i < help.size(); ++i) {
            QCOMPARE(manual[i].names, help[i].names);
            QCOMPARE(manual[i].description, help[i].description);
        }

        QProcess groff;
        groff.start(QStringLiteral("groff"),
                    {QStringLiteral("-man"), QStringLiteral("-ww"), QStringLiteral("-z"), QStringLiteral(MANUAL_PAGE)});
        QVERIFY(groff.waitForFinished(60000));
        QCOMPARE(groff.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(groff.readAllStandardError()), QString());
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
