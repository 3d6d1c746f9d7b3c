// Months and years by key and wheel, and the marks of today and the chosen
// day, in the calendar window.
#include "calendar/form1.h"
#include "calendar/monthsteps.h"
#include "calendarcells.h"
#include "datewatch.h"
#include "doubles.h"
#include "webdouble.h"

#include <QAbstractItemView>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <tuple>

namespace {

using testing::cells;
using testing::expectedCells;
using testing::selectorTexts;
using testing::selectorTextsFor;

// The grid and the selectors show the month, as if chosen by hand and drawn by the button.
void verifyShows(const Form1 &f, int year, int month)
{
    QCOMPARE(selectorTexts(f), selectorTextsFor(year, month));
    QCOMPARE(cells(f), expectedCells(year, month));
    QCOMPARE(f.shownYear(), year);
    QCOMPARE(f.shownMonth(), month);
}

void turnWheel(QWidget *over, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QPointF at = QRectF(over->rect()).center();
    QWheelEvent wheel(at, over->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(over, &wheel);
}

// The cells that show a mark, and what a screen reader hears of them. The
// cell with the focus says what its day is too (tst_dayfacts); the others'
// descriptions are their marks' words alone.
QStringList marked(const Form1 &f)
{
    QStringList out;
    for (const rt::TextBox *cell : f.text1) {
        if (cell->isMarked() || cell->font().bold() || (!cell->hasFocus() && !cell->accessibleDescription().isEmpty()))
            out << QStringLiteral("%1 %2 %3").arg(cell->objectName(), cell->Text(), cell->accessibleDescription());
    }
    return out;
}

} // namespace

// A month of the calendar; unlike QDate it knows year 0.
struct Month {
    int year;
    int month;
};
Q_DECLARE_METATYPE(Month)

class TestMonthSteps : public QObject {
    Q_OBJECT
private slots:
    void keys_data()
    {
        QTest::addColumn<Month>("from");      // the month shown first
        QTest::addColumn<QString>("control"); // where the focus is
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<Month>("to"); // the month shown after
        QTest::addColumn<int>("beeps");
        const int none = Qt::NoModifier;
        const int ctrl = Qt::ControlModifier;
        const int shift = Qt::ShiftModifier;
        const Month june{2026, 6};
        QTest::newRow("PageDown on a cell")
            << june << "text1(3)" << int(Qt::Key_PageDown) << none << Month{2026, 7} << 0;
        QTest::newRow("PageUp on the button") << june << "go" << int(Qt::Key_PageUp) << none << Month{2026, 5} << 0;
        QTest::newRow("PageDown in a selector")
            << june << "monthc" << int(Qt::Key_PageDown) << none << Month{2026, 7} << 0;
        QTest::newRow("PageUp in a digit") << june << "decade" << int(Qt::Key_PageUp) << none << Month{2026, 5} << 0;
        QTest::newRow("Ctrl+PageDown") << june << "text1(0)" << int(Qt::Key_PageDown) << ctrl << Month{2027, 6} << 0;
        QTest::newRow("Ctrl+PageUp") << june << "yearc" << int(Qt::Key_PageUp) << ctrl << Month{2025, 6} << 0;
        QTest::newRow("Shift+PageDown") << june << "go" << int(Qt::Key_PageDown) << shift << Month{2027, 6} << 0;
        QTest::newRow("Shift+PageUp") << june << "text1(41)" << int(Qt::Key_PageUp) << shift << Month{2025, 6} << 0;
        QTest::newRow("December to January")
            << Month{2026, 12} << "go" << int(Qt::Key_PageDown) << none << Month{2027, 1} << 0;
        QTest::newRow("January to December")
            << Month{2000, 1} << "go" << int(Qt::Key_PageUp) << none << Month{1999, 12} << 0;
        QTest::newRow("into a 3200 year")
            << Month{3199, 3} << "go" << int(Qt::Key_PageDown) << ctrl << Month{3200, 3} << 0;
        QTest::newRow("Ctrl+Home: today")
            << Month{1900, 2} << "text1(9)" << int(Qt::Key_Home) << ctrl << Month{2026, 6} << 0;
        QTest::newRow("before January 0") << Month{0, 1} << "go" << int(Qt::Key_PageUp) << none << Month{0, 1} << 1;
        QTest::newRow("a year before May 0") << Month{0, 5} << "go" << int(Qt::Key_PageUp) << ctrl << Month{0, 5} << 1;
        QTest::newRow("after December 9999")
            << Month{9999, 12} << "go" << int(Qt::Key_PageDown) << none << Month{9999, 12} << 1;
        QTest::newRow("a year after August 9999")
            << Month{9999, 8} << "go" << int(Qt::Key_PageDown) << shift << Month{9999, 8} << 1;
        // Other modifiers leave the key to the control.
        QTest::newRow("Alt+PageDown") << june << "go" << int(Qt::Key_PageDown) << int(Qt::AltModifier) << june << 0;
        QTest::newRow("Home alone") << Month{1900, 2} << "go" << int(Qt::Key_Home) << none << Month{1900, 2} << 0;
    }
    void keys()
    {
        QFETCH(Month, from);
        QFETCH(QString, control);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(Month, to);
        QFETCH(int, beeps);
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        f.showMonth(from.year, from.month);
        auto *focus = f.client()->findChild<QWidget *>(control);
        QVERIFY(focus);
        focus->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        verifyShows(f, to.year, to.month);
        QCOMPARE(d.messages.beeps, beeps);
        QCOMPARE(QApplication::focusWidget(), focus);
    }

    // The arrow keys, Home and End between days: the focus goes to the
    // day's cell, never a blank one, into the month before or after past
    // the month's ends (the selectors following, as for PageDown).
    void dayKeys_data()
    {
        QTest::addColumn<Month>("from");
        QTest::addColumn<int>("cell"); // where the focus is
        QTest::addColumn<int>("key");
        QTest::addColumn<Month>("to");
        QTest::addColumn<int>("day"); // the day whose cell has the focus after
        QTest::addColumn<int>("beeps");
        const Month june{2026, 6}; // 1 June 2026 is a Monday: cell 0; 30 June cell 29
        QTest::newRow("Right") << june << 14 << int(Qt::Key_Right) << june << 16 << 0;
        QTest::newRow("Left") << june << 14 << int(Qt::Key_Left) << june << 14 << 0;
        QTest::newRow("Down") << june << 14 << int(Qt::Key_Down) << june << 22 << 0;
        QTest::newRow("Up") << june << 14 << int(Qt::Key_Up) << june << 8 << 0;
        QTest::newRow("Home") << june << 14 << int(Qt::Key_Home) << june << 1 << 0;
        QTest::newRow("End") << june << 14 << int(Qt::Key_End) << june << 30 << 0;
        QTest::newRow("Left from the 1st: 31 May") << june << 0 << int(Qt::Key_Left) << Month{2026, 5} << 31 << 0;
        QTest::newRow("Right from the 30th: 1 July") << june << 29 << int(Qt::Key_Right) << Month{2026, 7} << 1 << 0;
        QTest::newRow("Up from the 3rd: 27 May") << june << 2 << int(Qt::Key_Up) << Month{2026, 5} << 27 << 0;
        QTest::newRow("Down from the 28th: 5 July") << june << 27 << int(Qt::Key_Down) << Month{2026, 7} << 5 << 0;
        QTest::newRow("Down from a blank cell after the month")
            << june << 33 << int(Qt::Key_Down) << Month{2026, 7} << 11 << 0;
        QTest::newRow("a leap February's 29th")
            << Month{2024, 2} << 31 << int(Qt::Key_Right) << Month{2024, 3} << 1 << 0;
        // March 3200 has no 29 February before it: Left from 1 March is the 28th.
        QTest::newRow("into the 3200 February")
            << Month{3200, 3} << 1 << int(Qt::Key_Left) << Month{3200, 2} << 28 << 0;
        // April 2024 begins in the second row (cell 7): Up from the 1st is 25 March.
        QTest::newRow("across the leap shift") << Month{2024, 4} << 7 << int(Qt::Key_Up) << Month{2024, 3} << 25 << 0;
        QTest::newRow("Up from a typing cell") << june << 25 << int(Qt::Key_Up) << june << 19 << 0;
        QTest::newRow("before 1 January 0") << Month{0, 1} << 5 << int(Qt::Key_Left) << Month{0, 1} << 1 << 1;
        QTest::newRow("after 31 December 9999")
            << Month{9999, 12} << 32 << int(Qt::Key_Down) << Month{9999, 12} << 31 << 1;
    }
    void dayKeys()
    {
        QFETCH(Month, from);
        QFETCH(int, cell);
        QFETCH(int, key);
        QFETCH(Month, to);
        QFETCH(int, day);
        QFETCH(int, beeps);
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        f.showMonth(from.year, from.month);
        f.text1[static_cast<std::size_t>(cell)]->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        verifyShows(f, to.year, to.month);
        auto *focus = qobject_cast<rt::TextBox *>(QApplication::focusWidget());
        QVERIFY(focus);
        QCOMPARE(focus->Text(), QString::number(day));
        QCOMPARE(d.messages.beeps, beeps);
    }

    // The cells that take typing keep Left, Right, Home and End for their
    // text cursor; the other controls keep every arrow key.
    void arrowsLeftToTheControl_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        QTest::newRow("Left in a typing cell") << "text1(25)" << int(Qt::Key_Left);
        QTest::newRow("Right in a typing cell") << "text1(32)" << int(Qt::Key_Right);
        QTest::newRow("Home in a typing cell") << "text1(39)" << int(Qt::Key_Home);
        QTest::newRow("End in a typing cell") << "text1(25)" << int(Qt::Key_End);
        QTest::newRow("Right on the button") << "go" << int(Qt::Key_Right);
        QTest::newRow("Down in a digit") << "century" << int(Qt::Key_Down);
    }
    void arrowsLeftToTheControl()
    {
        QFETCH(QString, control);
        QFETCH(int, key);
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        f.showMonth(2026, 6);
        auto *focus = f.client()->findChild<QWidget *>(control);
        QVERIFY(focus);
        focus->setFocus();
        auto *edit = qobject_cast<QLineEdit *>(focus);
        if (edit)
            edit->setCursorPosition(1);
        QTest::keyClick(focus, Qt::Key(key));
        QCOMPARE(f.shownYear(), 2026);
        QCOMPARE(f.shownMonth(), 6);
        if (edit) {
            QCOMPARE(QApplication::focusWidget(), focus);
            QVERIFY(edit->cursorPosition() != 1);
        }
    }

    // An open list keeps its keys: PageDown moves in the list, not the month.
    void openListKeepsItsKeys()
    {
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        f.monthc->setFocus();
        f.monthc->showPopup();
        QTRY_VERIFY(f.monthc->view()->isVisible());
        QTest::keyClick(f.monthc->view(), Qt::Key_PageDown);
        QCOMPARE(f.shownMonth(), 6);
        QCOMPARE(cells(f), expectedCells(2026, 6));
        f.monthc->hidePopup();
    }

    void wheel_data()
    {
        QTest::addColumn<QString>("over");
        QTest::addColumn<QList<int>>("deltas");
        QTest::addColumn<bool>("ctrl");
        QTest::addColumn<Month>("to");
        QTest::addColumn<int>("changes"); // of the month and units selectors: one drawing changes each once
        const Month june{2026, 6};
        QTest::newRow("a notch towards the person") << "text1(20)" << QList<int>{-120} << false << Month{2026, 7} << 1;
        QTest::newRow("a notch away, over a header") << "" << QList<int>{120} << false << Month{2026, 5} << 1;
        QTest::newRow("with Ctrl: a year") << "text1(0)" << QList<int>{-120} << true << Month{2027, 6} << 1;
        QTest::newRow("a touchpad's quarters")
            << "text1(5)" << QList<int>{-30, -30, -30, -30} << false << Month{2026, 7} << 1;
        QTest::newRow("less than a notch") << "text1(5)" << QList<int>{-30, -30, -30} << false << june << 0;
        QTest::newRow("back and forth") << "text1(5)" << QList<int>{-90, 60, -60} << false << june << 0;
        QTest::newRow("a fast spin, drawn once") << "text1(40)" << QList<int>(10, -120) << false << Month{2027, 4} << 2;
    }
    void wheel()
    {
        QFETCH(QString, over);
        QFETCH(QList<int>, deltas);
        QFETCH(bool, ctrl);
        QFETCH(Month, to);
        QFETCH(int, changes);
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        QWidget *target = over.isEmpty() ? static_cast<QWidget *>(f.Label1[3]) : f.client()->findChild<QWidget *>(over);
        QVERIFY(target);
        QSignalSpy months(f.monthc, &QComboBox::currentIndexChanged);
        QSignalSpy years(f.yearc, &QComboBox::currentIndexChanged);
        for (int delta : deltas)
            turnWheel(target, delta, ctrl ? Qt::ControlModifier : Qt::NoModifier);
        QCoreApplication::processEvents();
        verifyShows(f, to.year, to.month);
        QCOMPARE(months.count() + years.count(), changes);
        QCOMPARE(d.messages.beeps, 0);
    }

    void wheelStopsAtTheEnd()
    {
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        f.showMonth(9999, 10);
        for (int i = 0; i < 5; ++i)
            turnWheel(f.text1[10], -120);
        QCoreApplication::processEvents();
        verifyShows(f, 9999, 12);
        QCOMPARE(d.messages.beeps, 1);
    }

    // Today's cell stands out, in the window's own colours, and a screen
    // reader hears "today"; no other cell does, and no cell in other months.
    void todayIsMarked_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("cell");
        QTest::newRow("2026-06-15") << QDate(2026, 6, 15) << 14;
        QTest::newRow("a Sunday: 2026-06-28") << QDate(2026, 6, 28) << 27;
        QTest::newRow("after the leap shift: 2024-04-01") << QDate(2024, 4, 1) << 7;
        QTest::newRow("the last cell: 2020-08-31") << QDate(2020, 8, 31) << 35;
    }
    void todayIsMarked()
    {
        QFETCH(QDate, today);
        QFETCH(int, cell);
        testing::ProgramDoubles d;
        d.date.date = today;
        Form1 &f = testing::shownCalendar();
        rt::TextBox *marked = f.text1[static_cast<std::size_t>(cell)];
        QCOMPARE(marked->Text(), QString::number(today.day()));
        QCOMPARE(::marked(f), QStringList{marked->objectName() + QStringLiteral(" %1 today").arg(today.day())});
        // In the cell's own colours: Sundays red, the rest blue.
        const QColor ink = marked->palette().color(QPalette::Text);
        QCOMPARE(ink, cell % 7 == 6 ? QColor(255, 0, 0) : QColor(0, 0, 255));
        QCOMPARE(marked->palette().color(QPalette::Base), f.text1[0]->palette().color(QPalette::Base));

        // The mark is drawn in that colour.
        const QImage look = marked->grab().toImage();
        const QRect bar = marked->markRect();
        QCOMPARE(look.pixelColor(bar.center()), ink);

        QTest::keyClick(f.go, Qt::Key_PageDown);
        QCOMPARE(::marked(f), QStringList{});
        QTest::keyClick(f.go, Qt::Key_PageUp);
        QCOMPARE(::marked(f).size(), 1);
    }

    // The marks never touch the day's digits: today's bar, the chosen day's
    // frame, and both at once. The marks drawn alone (the cell marked and
    // empty against the same cell unmarked) and the digits as they stand
    // with the marks (the marked cell with its day against it empty), no
    // pixel of one is next to a pixel of the other; at each scale, in the
    // cells' font and in the fallback a system without it has. The style's
    // focus frame is something else again: around the whole cell, where the
    // marks stay inside it (chosenMarkStandsApart).
    void markClearOfTheDigits_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<QString>("family"); // empty: the cells' own
        QTest::addColumn<QString>("day");
        QTest::addColumn<bool>("today");
        QTest::addColumn<bool>("chosen");
        const std::array<std::tuple<const char *, bool, bool>, 3> marks{
            {{"today", true, false}, {"chosen", false, true}, {"both", true, true}}};
        for (const auto &[marksName, today, chosen] : marks) {
            for (const qreal scale : {1.0, 1.5, 2.0}) {
                for (const QString &family : {QString(), QStringLiteral("DejaVu Sans")}) {
                    for (const QString &day : {QStringLiteral("8"), QStringLiteral("11"), QStringLiteral("28")}) {
                        QTest::addRow("%s %gx %s %s", marksName, scale,
                                      family.isEmpty() ? "own font" : qPrintable(family), qPrintable(day))
                            << scale << family << day << today << chosen;
                    }
                }
            }
        }
    }
    void markClearOfTheDigits()
    {
        QFETCH(qreal, scale);
        QFETCH(QString, family);
        QFETCH(QString, day);
        QFETCH(bool, today);
        QFETCH(bool, chosen);
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        rt::TextBox *cell = f.text1[10];
        if (!family.isEmpty()) {
            QFont font = cell->font();
            font.setFamily(family);
            cell->setFont(font);
        }
        auto drawn = [&](bool marked, const QString &text) {
            cell->setMarked(marked && today);
            cell->setChosen(marked && chosen);
            QFont font = cell->font();
            font.setBold(true);
            cell->setFont(font);
            cell->setText(text);
            QImage image((QSizeF(cell->size()) * scale).toSize(), QImage::Format_RGB32);
            image.setDevicePixelRatio(scale);
            image.fill(Qt::white);
            cell->render(&image);
            return image;
        };
        const QImage plain = drawn(false, QString());
        const QImage mark = drawn(true, QString());
        const QImage digits = drawn(true, day);
        QCOMPARE(digits.size(), plain.size());
        int digitPixels = 0;
        int markPixels = 0;
        for (int y = 0; y < plain.height(); ++y) {
            for (int x = 0; x < plain.width(); ++x) {
                markPixels += mark.pixel(x, y) != plain.pixel(x, y);
                if (digits.pixel(x, y) == mark.pixel(x, y))
                    continue;
                ++digitPixels;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const QPoint at(std::clamp(x + dx, 0, plain.width() - 1),
                                        std::clamp(y + dy, 0, plain.height() - 1));
                        if (mark.pixel(at) != plain.pixel(at))
                            QFAIL(qPrintable(QStringLiteral("the mark touches the digits at (%1, %2) of %3x%4")
                                                 .arg(at.x())
                                                 .arg(at.y())
                                                 .arg(plain.width())
                                                 .arg(plain.height())));
                    }
                }
            }
        }
        QVERIFY(digitPixels > 0);
        QVERIFY(markPixels > 0);
    }

    // The chosen day's frame is drawn in the cell's own colour (a Sunday's
    // red here), inside the cell and apart from the style's focus frame:
    // no pixel of it next to one the focus changes, so that a chosen cell
    // with the focus shows two frames, not one thick one.
    void chosenMarkStandsApart_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::newRow("1x") << 1.0;
        QTest::newRow("1.5x") << 1.5;
        QTest::newRow("2x") << 2.0;
    }
    void chosenMarkStandsApart()
    {
        QFETCH(qreal, scale);
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        rt::TextBox *cell = f.text1[13]; // a Sunday, empty
        cell->setText(QString());
        auto drawn = [&](bool focused, bool chosen) {
            (focused ? static_cast<QWidget *>(cell) : f.go)->setFocus();
            cell->setChosen(chosen);
            QImage image((QSizeF(cell->size()) * scale).toSize(), QImage::Format_RGB32);
            image.setDevicePixelRatio(scale);
            image.fill(Qt::white);
            cell->render(&image);
            return image;
        };
        const QImage plain = drawn(false, false);
        const QImage focus = drawn(true, false);
        const QImage frame = drawn(false, true);
        QVERIFY(focus != plain);
        const QRect edge = cell->chosenRect();
        QCOMPARE(frame.pixelColor((QPointF(edge.center().x(), edge.top()) * scale).toPoint()), QColor(255, 0, 0));
        int framePixels = 0;
        for (int y = 0; y < plain.height(); ++y) {
            for (int x = 0; x < plain.width(); ++x) {
                if (frame.pixel(x, y) == plain.pixel(x, y))
                    continue;
                ++framePixels;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const QPoint at(std::clamp(x + dx, 0, plain.width() - 1),
                                        std::clamp(y + dy, 0, plain.height() - 1));
                        if (focus.pixel(at) != plain.pixel(at))
                            QFAIL(qPrintable(
                                QStringLiteral("the frame meets the focus frame at (%1, %2)").arg(at.x()).arg(at.y())));
                    }
                }
            }
        }
        QVERIFY(framePixels > 0);
    }

    // The mark follows the date while the program runs: at midnight, and
    // when the system's date, time or time zone is set.
    void markFollowsTheDate()
    {
        testing::ProgramDoubles d;
        d.date.date = QDate(2026, 6, 30);
        d.date.time = QTime(23, 59);
        Form1 &f = testing::shownCalendar();
        QCOMPARE(marked(f), QStringList{"text1(29) 30 today"});

        // Midnight: 1 July is not in June.
        d.date.date = QDate(2026, 7, 1);
        d.date.time = QTime(0, 0);
        d.clock.advance(60 * 1000);
        QCOMPARE(marked(f), QStringList{});
        QTest::keyClick(f.go, Qt::Key_PageDown);
        QCOMPARE(marked(f), QStringList{"text1(2) 1 today"}); // a Wednesday

        // The next midnight, a day later.
        d.date.date = QDate(2026, 7, 2);
        d.clock.advance(24 * 3600 * 1000 - 1);
        QCOMPARE(marked(f), QStringList{"text1(2) 1 today"});
        d.clock.advance(1);
        QCOMPARE(marked(f), QStringList{"text1(3) 2 today"});

        // The system's clock set to another day, at noon.
        d.date.date = QDate(2026, 7, 20);
        d.date.time = QTime(12, 0);
        rt::DateWatch::systemClockChanged();
        QCOMPARE(marked(f), QStringList{"text1(21) 20 today"});
        // ...and its midnight counts from then.
        d.date.date = QDate(2026, 7, 21);
        d.clock.advance(12 * 3600 * 1000);
        QCOMPARE(marked(f), QStringList{"text1(22) 21 today"});

        // A clock that jumps without a word from the system: the mark stays
        // until the next drawing, which takes the new date. A day forward...
        d.date.date = QDate(2026, 7, 22);
        QCOMPARE(marked(f), QStringList{"text1(22) 21 today"});
        QTest::keyClick(f.go, Qt::Key_PageDown);
        QTest::keyClick(f.go, Qt::Key_PageUp);
        QCOMPARE(marked(f), QStringList{"text1(23) 22 today"});
        // ...and an hour back over midnight, by the button.
        d.date.date = QDate(2026, 7, 21);
        QTest::mouseClick(f.go, Qt::LeftButton);
        QCOMPARE(marked(f), QStringList{"text1(22) 21 today"});
    }
};

QTEST_MAIN(TestMonthSteps)
#include "tst_monthsteps.moc"
