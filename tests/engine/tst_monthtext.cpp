// Months and years as text, against Python's calendar.TextCalendar(0) (the
// layout of terminal calendars, Monday first), byte for byte: all 120,000
// months, and the year views of a Gregorian cycle and more. Where this
// calendar's 3200 rule departs from Python's Gregorian one, against the engine.
// Then week numbers, days of the year and three months across, against the
// same layouts worked out in Python (textlayouts.py).
#include "engine/monthtext.h"

#include <QProcess>
#include <QSet>
#include <QTest>

#include <array>
#include <map>
#include <span>

namespace {

using Month = std::pair<int, int>; // year, month 1-12

// Years 1 to 400 hold every kind of year and every width of year number up
// to three digits; the rest are the years around 1900 and 2000, and the last ones.
QList<int> pythonYears()
{
    QList<int> years;
    for (int y = 1; y <= 400; ++y)
        years << y;
    for (int y = 1890; y <= 2110; ++y)
        years << y;
    for (int y = 9990; y <= 9999; ++y)
        years << y;
    // A common year starting on a Saturday, as the years divisible by 3200 are here.
    years << 2022 << 0 << 3200 << 6400 << 9600;
    return years;
}

// Every month of these years with each of the options; the years without
// 29 February and their neighbours, and the years that widen the year's number.
QList<int> optionYears()
{
    QList<int> years{0,    1,    2,    10,   99,   100,  400,  999,  1000, 1582, 1752, 3199, 3200,
                     3201, 4000, 5555, 6399, 6400, 6401, 9599, 9600, 9601, 9990, 9998, 9999};
    for (int y = 1890; y <= 2110; ++y)
        years << y;
    return years;
}

engine::TextOptions options(bool weekNumbers, bool dayOfYear)
{
    engine::TextOptions o;
    o.weekNumbers = weekNumbers;
    o.dayOfYear = dayOfYear;
    return o;
}

// The months of the years without 29 February as the engine has them, for
// textlayouts.py: its weeks, the day of the year of the 1st and each week's
// ISO week (that of its last day).
QByteArray engineMonths()
{
    QByteArray lines;
    for (int year : {0, 3200, 6400, 9600}) {
        for (int month = 1; month <= 12; ++month) {
            const engine::MonthWeeks m = engine::monthWeeks(year, month);
            lines += QStringLiteral("%1 %2 %3 %4 %5")
                         .arg(year)
                         .arg(month)
                         .arg(m.firstColumn)
                         .arg(m.days)
                         .arg(engine::dayOfYear({year, month, 1}))
                         .toLatin1();
            for (int week = 0; week < m.weeks(); ++week) {
                int last = 6;
                while (m.dayAt(week, last) == 0)
                    --last;
                lines += ' ' + QByteArray::number(engine::isoWeek({year, month, m.dayAt(week, last)}).week);
            }
            lines += '\n';
        }
    }
    return lines;
}

QByteArray bytes(const std::string &text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// Day texts of a month's text, week by week, seven to a week.
QStringList daysOf(const QByteArray &text)
{
    QStringList days;
    const QList<QByteArray> lines = text.split('\n').mid(2);
    for (const QByteArray &line : lines) {
        if (line.isEmpty())
            continue;
        for (int column = 0; column < 7; ++column)
            days << QString::fromLatin1(line.mid(3 * column, 2)).trimmed();
    }
    return days;
}

// The window's cells for the month, from the first row that holds a day, in whole weeks.
QStringList daysOfTheEngine(int year, int month)
{
    const engine::MonthLayout l = engine::layout(engine::selectionOf(year, month));
    const int first = l.startCell / 7 * 7;
    const int end = (l.lastCell() / 7 + 1) * 7;
    QStringList days;
    for (int cell = first; cell < end; ++cell)
        days << (l.dayAt(cell) ? QString::number(l.dayAt(cell)) : QString());
    return days;
}

} // namespace

class TestMonthText : public QObject {
    Q_OBJECT

    std::map<Month, QByteArray> m_months;
    std::map<int, QByteArray> m_years;

private slots:
    void initTestCase()
    {
        QProcess python;
        QStringList arguments{QStringLiteral(TEXTCALENDAR_PY)};
        for (int year : pythonYears())
            arguments << QString::number(year);
        python.start(QStringLiteral("/usr/bin/python3"), arguments);
        QVERIFY2(python.waitForFinished(120000), "python3 did not finish");
        QCOMPARE(python.exitCode(), 0);
        const QList<QByteArray> texts = python.readAllStandardOutput().split('\f');
        QCOMPARE(texts.size(), 120000 + pythonYears().size() + 1);
        int i = 0;
        for (int year = 0; year <= 9999; ++year)
            for (int month = 1; month <= 12; ++month)
                m_months[{year, month}] = texts.at(i++);
        for (int year : pythonYears())
            m_years[year] = texts.at(i++);
    }

    void someMonths_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("1900-02") << 1900 << 2
                                 << QByteArray("   February 1900\n"
                                               "Mo Tu We Th Fr Sa Su\n"
                                               "          1  2  3  4\n"
                                               " 5  6  7  8  9 10 11\n"
                                               "12 13 14 15 16 17 18\n"
                                               "19 20 21 22 23 24 25\n"
                                               "26 27 28\n");
        // The window starts it in cell 7: no empty week here.
        QTest::newRow("2024-04") << 2024 << 4
                                 << QByteArray("     April 2024\n"
                                               "Mo Tu We Th Fr Sa Su\n"
                                               " 1  2  3  4  5  6  7\n"
                                               " 8  9 10 11 12 13 14\n"
                                               "15 16 17 18 19 20 21\n"
                                               "22 23 24 25 26 27 28\n"
                                               "29 30\n");
        QTest::newRow("2021-02, four weeks") << 2021 << 2
                                             << QByteArray("   February 2021\n"
                                                           "Mo Tu We Th Fr Sa Su\n"
                                                           " 1  2  3  4  5  6  7\n"
                                                           " 8  9 10 11 12 13 14\n"
                                                           "15 16 17 18 19 20 21\n"
                                                           "22 23 24 25 26 27 28\n");
        // 3200 is a common year: no 29th, and March on a Tuesday.
        QTest::newRow("3200-03") << 3200 << 3
                                 << QByteArray("     March 3200\n"
                                               "Mo Tu We Th Fr Sa Su\n"
                                               "    1  2  3  4  5  6\n"
                                               " 7  8  9 10 11 12 13\n"
                                               "14 15 16 17 18 19 20\n"
                                               "21 22 23 24 25 26 27\n"
                                               "28 29 30 31\n");
    }
    void someMonths()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(QByteArray, text);
        QCOMPARE(bytes(engine::monthText(year, month)), text);
    }

    // Python's calendar is proleptic Gregorian, from the year 0 on: it differs
    // exactly in February to December of the four years the 3200 rule makes
    // common. There the title and header are still Python's, and the weeks
    // are the window's cells; year 0 is checked against the engine throughout.
    void everyMonthAsTerminalCalendarsPrintIt()
    {
        QSet<QString> differing;
        for (const auto &[key, python] : m_months) {
            const auto [year, month] = key;
            const QByteArray text = bytes(engine::monthText(year, month));
            const bool same = text == python;
            if (!same)
                differing << QStringLiteral("%1-%2").arg(year).arg(month);
            if (!same || year == 0) {
                const QString where = QStringLiteral("%1-%2").arg(year).arg(month);
                QVERIFY2(text.split('\n').mid(0, 2) == python.split('\n').mid(0, 2), qPrintable(where));
                QVERIFY2(text.endsWith('\n') && !text.contains(" \n"), qPrintable(where));
                QCOMPARE(daysOf(text), daysOfTheEngine(year, month));
            }
        }
        QSet<QString> expected;
        for (int year : {0, 3200, 6400, 9600})
            for (int month = 2; month <= 12; ++month)
                expected << QStringLiteral("%1-%2").arg(year).arg(month);
        QCOMPARE(expected.size(), 44);
        QCOMPARE(differing, expected);
    }

    void yearsThreeAcross()
    {
        for (const auto &[year, python] : m_years) {
            if (year % 3200 == 0)
                continue;
            const QByteArray text = bytes(engine::yearText(year));
            const QString shown = QStringLiteral("%1:\n%2Python:\n%3")
                                      .arg(year)
                                      .arg(QString::fromLatin1(text), QString::fromLatin1(python));
            QVERIFY2(text == python, qPrintable(shown));
        }
    }

    // Each month with -w, -j and both; with the months around it, plain and with
    // the same options; each year with them. The years 0, 3200, 6400 and 9600
    // have no 29 February here: Python lays out the engine's own weeks, days
    // of the year and ISO weeks for them instead of its Gregorian ones (so
    // the months around them, December 3200 beside January 3201, too).
    void withOptionsAsPythonLaysThemOut()
    {
        QProcess python;
        QStringList arguments{QStringLiteral(TEXTLAYOUTS_PY)};
        for (int year : optionYears())
            arguments << QString::number(year);
        python.start(QStringLiteral("/usr/bin/python3"), arguments);
        python.write(engineMonths());
        python.closeWriteChannel();
        QVERIFY2(python.waitForFinished(120000), "python3 did not finish");
        QCOMPARE(python.exitCode(), 0);
        const QList<QByteArray> texts = python.readAllStandardOutput().split('\f');
        const std::array<std::pair<bool, bool>, 4> all{{{false, false}, {true, false}, {false, true}, {true, true}}};
        qsizetype i = 0;
        int differing = 0;
        QString first;
        auto compare = [&](const std::string &text, const QString &what) {
            const QByteArray expected = texts.value(i++);
            if (bytes(text) != expected && differing++ == 0)
                first = QStringLiteral("%1:\n%2Python:\n%3")
                            .arg(what, QString::fromLatin1(bytes(text)), QString::fromLatin1(expected));
        };
        for (int year : optionYears()) {
            for (const auto &[w, j] : std::span(all).subspan(1))
                for (int month = 1; month <= 12; ++month)
                    compare(engine::monthText(year, month, options(w, j)),
                            QStringLiteral("%1-%2 w%3 j%4").arg(year).arg(month).arg(w).arg(j));
            for (const auto &[w, j] : all)
                for (int month = 1; month <= 12; ++month)
                    compare(engine::threeMonthsText(year, month, options(w, j)),
                            QStringLiteral("-3 %1-%2 w%3 j%4").arg(year).arg(month).arg(w).arg(j));
            for (const auto &[w, j] : std::span(all).subspan(1))
                compare(engine::yearText(year, options(w, j)), QStringLiteral("%1 w%2 j%3").arg(year).arg(w).arg(j));
        }
        QVERIFY2(differing == 0, qPrintable(QStringLiteral("%1 differ, the first: %2").arg(differing).arg(first)));
        QCOMPARE(i, texts.size() - 1);
    }

    // Common years starting on a Saturday: every month as in 2022, under their own year line.
    void yearsTheThirtyTwoHundredRuleMakesCommon()
    {
        const QByteArray like = m_years.at(2022);
        for (int year : {0, 3200, 6400, 9600}) {
            const QByteArray python = m_years.at(year);
            const QByteArray expected = python.left(python.indexOf('\n')) + like.mid(like.indexOf('\n'));
            QCOMPARE(bytes(engine::yearText(year)), expected);
        }
    }
};

QTEST_APPLESS_MAIN(TestMonthText)
#include "tst_monthtext.moc"
