// What a day is, told where the person points: the text (date and weekday,
// day of the year, ISO week, distance from today and from the chosen day, in
// the program's own calendar), and the cells that tell it: as a tooltip on a
// help event, and in the description a screen reader reads from the cell
// with the focus or under the mouse pointer, following the month, the date
// and the cells' marks.
#include "calendar/dayfacts.h"
#include "calendar/form1.h"
#include "calendarcells.h"
#include "doubles.h"
#include "webdouble.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QLocale>
#include <QTest>
#include <QToolTip>

#include <optional>

namespace {

engine::Date date(const QDate &d)
{
    return {d.year(), d.month(), d.day()};
}

QString described(QWidget *cell)
{
    return QAccessible::queryAccessibleInterface(cell)->text(QAccessible::Description);
}

// The descriptions of the cells that have one, as "cell: description".
QStringList descriptions(const Form1 &f)
{
    QStringList out;
    for (int n = 0; n < engine::cellCount; ++n) {
        if (const QString text = described(f.dayCell(n)); !text.isEmpty())
            out << QStringLiteral("%1: %2").arg(n).arg(text);
    }
    return out;
}

void focus(rt::TextBox *cell)
{
    cell->setFocus(Qt::OtherFocusReason);
    QVERIFY(cell->hasFocus());
}

} // namespace

class TestDayFacts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void text_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("chosen"); // none when not valid
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        const QDate today(2026, 6, 15);
        const QDate none;
        const QString us = QStringLiteral("en_US");
        QTest::newRow("later in the year") << QDate(2026, 12, 11) << today << none << us
                                           << "Friday, 11 December 2026, day 345 of 365, week 50, in 179 days";
        QTest::newRow("1 January in the last week of the year before")
            << QDate(2027, 1, 1) << today << none << us
            << "Friday, 1 January 2027, day 1 of 365, week 53 of 2026, in 200 days";
        QTest::newRow("30 December in week 1 of the next year, a leap year")
            << QDate(2024, 12, 30) << today << none << us
            << "Monday, 30 December 2024, day 365 of 366, week 1 of 2025, 532 days ago";
        QTest::newRow("today") << today << today << none << us
                               << "Monday, 15 June 2026, day 166 of 365, week 25, today";
        QTest::newRow("tomorrow, over the month's end") << QDate(2026, 7, 1) << QDate(2026, 6, 30) << none << us
                                                        << "Wednesday, 1 July 2026, day 182 of 365, week 27, tomorrow";
        QTest::newRow("yesterday, over the year's end")
            << QDate(2026, 12, 31) << QDate(2027, 1, 1) << none << us
            << "Thursday, 31 December 2026, day 365 of 365, week 53, yesterday";
        QTest::newRow("far past, the locale's separator")
            << QDate(1789, 7, 14) << today << none << us
            << "Tuesday, 14 July 1789, day 195 of 365, week 29, 86,533 days ago";
        QTest::newRow("far past, another locale's separator")
            << QDate(1789, 7, 14) << today << none << QStringLiteral("de_DE")
            << "Tuesday, 14 July 1789, day 195 of 365, week 29, 86.533 days ago";
        // 3200 is a common year here: March to December stand a weekday
        // earlier than in the Gregorian calendar, a day earlier in the
        // year, and a day nearer.
        QTest::newRow("March 3200, the program's own calendar")
            << QDate(3200, 3, 14) << today << none << us
            << "Monday, 14 March 3200, day 73 of 365, week 11, in 428,701 days";
        const QDate chosen(2026, 6, 20);
        QTest::newRow("after the chosen day") << QDate(2026, 7, 2) << today << chosen << us
                                              << "Thursday, 2 July 2026, day 183 of 365, week 27, in 17 days, "
                                                 "12 days after the chosen day";
        QTest::newRow("before the chosen day") << QDate(2026, 6, 3) << today << chosen << us
                                               << "Wednesday, 3 June 2026, day 154 of 365, week 23, 12 days ago, "
                                                  "17 days before the chosen day";
        QTest::newRow("the day after the chosen day")
            << QDate(2026, 6, 21) << today << chosen << us
            << "Sunday, 21 June 2026, day 172 of 365, week 25, in 6 days, the day after the chosen day";
        QTest::newRow("the chosen day") << chosen << today << chosen << us
                                        << "Saturday, 20 June 2026, day 171 of 365, week 25, in 5 days, the chosen day";
        QTest::newRow("the chosen day is today")
            << today << today << today << us << "Monday, 15 June 2026, day 166 of 365, week 25, today, the chosen day";
    }
    void text()
    {
        QFETCH(QDate, day);
        QFETCH(QDate, today);
        QFETCH(QDate, chosen);
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        const std::optional<engine::Date> chosenDay = chosen.isValid() ? std::optional(date(chosen)) : std::nullopt;
        const QString told = DayFacts::text(date(day), date(today), chosenDay);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(told, text);
    }

    // A help event on a cell shows its day's text, as Qt sends it when the
    // mouse rests; a blank cell shows none, and takes down the one shown.
    void tooltip()
    {
        testing::ProgramDoubles d; // today 15 June 2026; June starts in cell 0
        Form1 &f = testing::shownCalendar();
        auto help = [&](int n) {
            rt::TextBox *cell = f.dayCell(n);
            const QPoint at = cell->rect().center();
            QHelpEvent event(QEvent::ToolTip, at, cell->mapToGlobal(at));
            QApplication::sendEvent(cell, &event);
        };
        help(2);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Wednesday, 3 June 2026, day 154 of 365, week 23, 12 days ago"));

        help(41);
        QTRY_VERIFY(!QToolTip::isVisible());

        f.chooseDay({2026, 6, 20});
        help(7);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Monday, 8 June 2026, day 159 of 365, week 24, 7 days ago, "
                                                  "12 days before the chosen day"));
        QToolTip::hideText();
    }

    // What a screen reader reads from the cell with the focus: its day's
    // text, today's mark said once; the other cells keep their marks' words
    // alone, and a blank cell says nothing.
    void descriptionOfTheFocusedCell()
    {
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        focus(f.dayCell(2));
        QCOMPARE(descriptions(f),
                 (QStringList{"2: Wednesday, 3 June 2026, day 154 of 365, week 23, 12 days ago", "14: today"}));

        focus(f.dayCell(14));
        QCOMPARE(descriptions(f), QStringList{"14: Monday, 15 June 2026, day 166 of 365, week 25, today"});

        focus(f.dayCell(41));
        QCOMPARE(descriptions(f), QStringList{"14: today"});

        // The chosen day's cell takes the focus and says so.
        f.chooseDay({2026, 6, 20});
        QCOMPARE(descriptions(f), (QStringList{"14: today", "19: Saturday, 20 June 2026, day 171 of 365, week 25, "
                                                            "in 5 days, the chosen day"}));
    }

    // The description follows what the cell shows: midnight passing (today's
    // mark moving off one cell and onto another), the next month drawn
    // under the focus, and the mouse pointer resting on another cell.
    void descriptionFollowsDateMonthAndPointer()
    {
        testing::ProgramDoubles d;
        d.date.time = QTime(23, 59, 59, 999);
        Form1 &f = testing::shownCalendar();
        focus(f.dayCell(14));
        focus(f.dayCell(15));
        QCOMPARE(descriptions(f),
                 (QStringList{"14: today", "15: Tuesday, 16 June 2026, day 167 of 365, week 25, tomorrow"}));

        d.date.date = QDate(2026, 6, 16);
        d.date.time = QTime(0, 0);
        d.clock.advance(1);
        QCOMPARE(descriptions(f), QStringList{"15: Tuesday, 16 June 2026, day 167 of 365, week 25, today"});
        focus(f.dayCell(14));
        QCOMPARE(descriptions(f),
                 (QStringList{"14: Monday, 15 June 2026, day 166 of 365, week 25, yesterday", "15: today"}));

        QTest::keyClick(f.dayCell(14), Qt::Key_PageDown);
        QCOMPARE(f.shownMonth(), 7);
        QVERIFY(f.dayCell(14)->hasFocus());
        QCOMPARE(descriptions(f), QStringList{"14: Monday, 13 July 2026, day 194 of 365, week 29, in 27 days"});

        QTest::mouseMove(f.dayCell(20));
        QTRY_COMPARE(descriptions(f), (QStringList{"14: Monday, 13 July 2026, day 194 of 365, week 29, in 27 days",
                                                   "20: Sunday, 19 July 2026, day 200 of 365, week 29, in 33 days"}));
        QTest::mouseMove(f.go);
        QTRY_COMPARE(descriptions(f), QStringList{"14: Monday, 13 July 2026, day 194 of 365, week 29, in 27 days"});
    }
};

QTEST_MAIN(TestDayFacts)
#include "tst_dayfacts.moc"
