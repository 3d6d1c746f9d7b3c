// The command line: the month the windows start on, text printed instead of
// windows, help, version and refused arguments; as the program runs it
// without a display; and the manual page beside --help.
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

namespace {

const QDate today{2026, 6, 15};

CommandLine read(const QString &arguments)
{
    return readCommandLine(QStringList{QStringLiteral("/usr/bin/temporia")}
                               + arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts),
                           today);
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

        // The calendar unloaded while the frame stays: back on today at the next tick.
        f.Unload();
        d.clock.advance(20000);
        QCOMPARE(cells(rt::form<Form1>()), testing::expectedCells(today.year(), today.month()));
        QVERIFY(d.messages.shown.empty());
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
        QTest::newRow("too many") << QStringLiteral("1 2 1900") << QStringLiteral("too many arguments");
        QTest::newRow("unknown option") << QStringLiteral("--month 2") << QStringLiteral("unknown option '--month'");
        QTest::newRow("unknown short option") << QStringLiteral("-x") << QStringLiteral("unknown option '-x'");
        QTest::newRow("known and unknown joined") << QStringLiteral("-tx") << QStringLiteral("unknown option '-tx'");
        // A number after a dash is an option like any other, not a year or a month.
        QTest::newRow("-3") << QStringLiteral("--text -3") << QStringLiteral("unknown option '-3'");
        QTest::newRow("-5 alone") << QStringLiteral("-5") << QStringLiteral("unknown option '-5'");
        QTest::newRow("-12") << QStringLiteral("-t -12") << QStringLiteral("unknown option '-12'");
        QTest::newRow("-1 as a month") << QStringLiteral("-1 2000") << QStringLiteral("unknown option '-1'");
        QTest::newRow("-3 after --") << QStringLiteral("-t -- -3") << QStringLiteral("year '-3' is not 0 to 9999");
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

    void helpAndVersion()
    {
        for (const QString &option : {QStringLiteral("--help"), QStringLiteral("-h"), QStringLiteral("-t 13 --help")}) {
            const CommandLine command = read(option);
            QCOMPARE(command.exitCode, 0);
            QCOMPARE(text(command.out), helpText(QStringLiteral("temporia")));
        }
        const QString help = helpText(QStringLiteral("temporia"));
        QVERIFY(help.startsWith(QStringLiteral("Usage: temporia [OPTION]... [MONTH] [YEAR]\n")));
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
        QTest::newRow("negative number") << QStringList{"--text", "-3"} << 2 << QString()
                                         << QStringLiteral("temporia: unknown option '-3'; see 'temporia --help'\n");
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
        QCOMPARE(help.size(), 4);
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
