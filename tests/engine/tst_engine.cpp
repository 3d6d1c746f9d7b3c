#include "engine/calendar.h"

#include <QTest>

#include <chrono>

using namespace std::chrono;

namespace {

engine::Selection select(int year, int month)
{
    return {static_cast<std::int16_t>(year / 1000), static_cast<std::int16_t>(year / 100 % 10),
            static_cast<std::int16_t>(year / 10 % 10), static_cast<std::int16_t>(year % 10),
            static_cast<std::int16_t>(month - 1)};
}

} // namespace

class TestEngine : public QObject {
    Q_OBJECT
private slots:
    void leapRule_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("leap");
        for (int y : {1, 2001, 9999, 100, 1900, 2100, 9900, 0, 3200, 6400, 9600})
            QTest::addRow("%d", y) << y << false;
        for (int y : {4, 1996, 2024, 9996, 400, 1600, 2000, 2400, 8000})
            QTest::addRow("%d", y) << y << true;
    }
    void leapRule()
    {
        QFETCH(int, year);
        QFETCH(bool, leap);
        QCOMPARE(engine::isLeapYear(year), leap);
    }

    void layout_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("last");
        QTest::newRow("2001-01") << 2001 << 1 << 0 << 31 << 30;
        QTest::newRow("2024-01 no shift for January") << 2024 << 1 << 0 << 31 << 30;
        QTest::newRow("2024-02 leap February") << 2024 << 2 << 3 << 29 << 31;
        QTest::newRow("2024-03 shifted") << 2024 << 3 << 4 << 31 << 34;
        QTest::newRow("2024-04 first row empty") << 2024 << 4 << 7 << 30 << 36;
        QTest::newRow("2024-07 highest cell") << 2024 << 7 << 7 << 31 << 37;
        QTest::newRow("2000-02") << 2000 << 2 << 1 << 29 << 29;
        QTest::newRow("2021-02 four rows") << 2021 << 2 << 0 << 28 << 27;
        QTest::newRow("2026-02") << 2026 << 2 << 6 << 28 << 33;
        QTest::newRow("0-01") << 0 << 1 << 5 << 31 << 35;
        QTest::newRow("0-02 common") << 0 << 2 << 1 << 28 << 28;
        QTest::newRow("0-03 no shift") << 0 << 3 << 1 << 31 << 31;
        QTest::newRow("9999-01") << 9999 << 1 << 4 << 31 << 34;
        QTest::newRow("9999-12") << 9999 << 12 << 2 << 31 << 32;
        QTest::newRow("1900-01 Monday") << 1900 << 1 << 0 << 31 << 30;
        QTest::newRow("1900-02") << 1900 << 2 << 3 << 28 << 30;
        QTest::newRow("2100-01 Friday") << 2100 << 1 << 4 << 31 << 34;
        QTest::newRow("3200-02 common") << 3200 << 2 << 1 << 28 << 28;
        QTest::newRow("3200-03") << 3200 << 3 << 1 << 31 << 31;
        QTest::newRow("3201-01") << 3201 << 1 << 0 << 31 << 30;
        QTest::newRow("1984-01 cycle year 28") << 1984 << 1 << 6 << 31 << 36;
        QTest::newRow("2028-01 cycle year 28") << 2028 << 1 << 5 << 31 << 35;
        QTest::newRow("2015-01") << 2015 << 1 << 3 << 31 << 33;
        QTest::newRow("2016-01") << 2016 << 1 << 4 << 31 << 34;
        QTest::newRow("1999-12") << 1999 << 12 << 2 << 31 << 32;
    }
    void layout()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, start);
        QFETCH(int, days);
        QFETCH(int, last);
        const engine::MonthLayout l = engine::layout(select(year, month));
        QCOMPARE(l.startCell, start);
        QCOMPARE(l.days, days);
        QCOMPARE(l.lastCell(), last);
    }

    // Every month from year 0 to 9999 against proleptic Gregorian day
    // counting. The only departures allowed are those of the 3200 rule: the
    // four Februaries of years 0, 3200, 6400 and 9600 have 28 days, and their
    // March to December start one weekday earlier.
    void everyMonthAgainstGregorian()
    {
        int departures = 0;
        for (int y = 0; y <= 9999; ++y) {
            for (unsigned m = 1; m <= 12; ++m) {
                const year_month ym{year{y}, month{m}};
                const int gregorianColumn = static_cast<int>(weekday{sys_days{ym / 1}}.iso_encoding()) - 1;
                const int gregorianDays = static_cast<int>(unsigned{(ym / last).day()});
                const engine::MonthLayout l = engine::layout(select(y, static_cast<int>(m)));

                // What the 3200 rule changes; everything else must be Gregorian.
                const bool rule3200 = y % 3200 == 0;
                const int column = rule3200 && m >= 3 ? (gregorianColumn + 6) % 7 : gregorianColumn;
                const int days = rule3200 && m == 2 ? 28 : gregorianDays;
                if (l.startCell % 7 != column || l.days != days)
                    QFAIL(qPrintable(QStringLiteral("%1-%2: start %3 days %4, expected column %5 days %6")
                                         .arg(y)
                                         .arg(m)
                                         .arg(l.startCell)
                                         .arg(l.days)
                                         .arg(column)
                                         .arg(days)));
                if (l.startCell % 7 != gregorianColumn || l.days != gregorianDays)
                    ++departures;

                // Cell 7 only for a shifted month that starts on a Monday.
                QVERIFY(l.startCell >= 0 && l.startCell <= 7);
                QCOMPARE(l.startCell == 7, l.shift == 1 && column == 0);
                // Days fill consecutive cells from the start; 38-41 stay empty.
                QVERIFY(l.lastCell() <= 37);
                for (int cell = 0; cell < engine::cellCount; ++cell) {
                    const int expected = cell >= l.startCell && cell < l.startCell + days ? cell - l.startCell + 1 : 0;
                    if (l.dayAt(cell) != expected)
                        QFAIL(qPrintable(QStringLiteral("%1-%2: cell %3").arg(y).arg(m).arg(cell)));
                }
            }
        }
        QCOMPARE(departures, 44);
    }

    void dayTexts()
    {
        QCOMPARE(engine::dayText(0), std::string_view{});
        QCOMPARE(engine::dayText(1), std::string_view{"1"});
        QCOMPARE(engine::dayText(31), std::string_view{"31"});
        QCOMPARE(engine::dayText(32), std::string_view{});
        QCOMPARE(engine::dayText(-1), std::string_view{});
    }
};

QTEST_APPLESS_MAIN(TestEngine)
#include "tst_engine.moc"
