// Single days: weekday, day of the year, ISO 8601 week and day number, for
// every day of years that hold the awkward cases, against Python's datetime
// (tests/engine/dayfacts.py says how it follows this calendar's 3200 rule,
// which datetime does not know); and day numbers both ways for every day.
#include "engine/days.h"

#include <QProcess>
#include <QTest>

namespace {

// Years 0 and 9999, the reforms' years, centuries that are and are not
// leap years, the 3200 years and those after them, years whose 1 January
// falls in the last ISO week of the year before (2021 and 2022: a Friday and
// a Saturday; 2027, 2016: a Friday and a leap year's Friday) and years of 53
// ISO weeks (2015, 2020, 2026, 2032).
const QList<int> years{0,    1,    2,    1582, 1752, 1900, 2000, 2004, 2015, 2016, 2020, 2021,
                       2022, 2026, 2027, 2032, 3199, 3200, 3201, 6400, 6401, 9600, 9601, 9999};

QString facts(const engine::Date &d)
{
    const engine::IsoWeek w = engine::isoWeek(d);
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
        .arg(d.year)
        .arg(d.month)
        .arg(d.day)
        .arg(engine::weekday(d))
        .arg(engine::dayOfYear(d))
        .arg(w.year)
        .arg(w.week)
        .arg(engine::dayNumber(d));
}

} // namespace

class TestDays : public QObject {
    Q_OBJECT
private slots:
    void againstPython()
    {
        QProcess python;
        QStringList arguments{QStringLiteral(DAYFACTS_PY)};
        for (int year : years)
            arguments << QString::number(year);
        python.start(QStringLiteral("/usr/bin/python3"), arguments);
        QVERIFY2(python.waitForFinished(60000), "python3 did not finish");
        QCOMPARE(python.exitCode(), 0);
        const QStringList expected =
            QString::fromLatin1(python.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QStringList got;
        for (int year : years)
            for (int month = 1; month <= 12; ++month)
                for (int day = 1; day <= engine::daysInMonth(year, month); ++day)
                    got << facts({year, month, day});
        QCOMPARE(got.size(), expected.size());
        for (qsizetype i = 0; i < got.size(); ++i)
            QCOMPARE(got[i], expected[i]);
    }

    // Every day of 0 ... 9999 has the next day number, and comes back from
    // it; the weekday moves on by one from day to day, except at the turn to
    // the year after a year without 29 February, where the grid's weekday
    // skips one. Outside the calendar there is no date.
    void everyDay()
    {
        std::int32_t number = 0;
        int weekday = engine::weekday({0, 1, 1});
        int skips = 0;
        for (int year = 0; year <= 9999; ++year) {
            QCOMPARE(engine::isoWeeksInYear(year) == 52 || engine::isoWeeksInYear(year) == 53, true);
            for (int month = 1; month <= 12; ++month) {
                for (int day = 1; day <= engine::daysInMonth(year, month); ++day) {
                    const engine::Date d{year, month, day};
                    if (engine::dayNumber(d) != number)
                        QFAIL(qPrintable(facts(d) + QStringLiteral(": not day %1").arg(number)));
                    if (engine::dateOf(number) != d)
                        QFAIL(qPrintable(facts(d) + QStringLiteral(": day %1 comes back other").arg(number)));
                    const int expected = number == 0 ? weekday : weekday % 7 + 1;
                    weekday = engine::weekday(d);
                    if (weekday != expected) {
                        ++skips;
                        QVERIFY2(month == 1 && day == 1 && (year - 1) % 3200 == 0, qPrintable(facts(d)));
                        QCOMPARE(weekday, expected % 7 + 1);
                    }
                    ++number;
                }
            }
        }
        QCOMPARE(skips, 4); // into 1, 3201, 6401 and 9601
        QVERIFY(!engine::isValid(engine::dateOf(-1)));
        QVERIFY(!engine::isValid(engine::dateOf(number)));
        QCOMPARE(engine::addDays({9999, 12, 31}, -number + 1), (engine::Date{0, 1, 1}));
        QCOMPARE(engine::isoWeek({9999, 12, 31}), (engine::IsoWeek{9999, 52}));
    }
};

QTEST_APPLESS_MAIN(TestDays)
#include "tst_days.moc"
