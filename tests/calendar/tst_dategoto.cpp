// "Go to date" in the calendar window, through the keys a person presses:
// Ctrl+G from any control or the grid's menu, a date typed, Enter or Esc,
// Up and Down through the dates gone to; and the chosen day's mark.
#include "calendar/dateinput.h"
#include "calendar/form1.h"
#include "calendarcells.h"
#include "doubles.h"
#include "webdouble.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QScreen>
#include <QTest>

#include <variant>

namespace {

using testing::cells;
using testing::expectedCells;
using testing::selectorTexts;
using testing::selectorTextsFor;

// The field, open and with the focus; nullptr otherwise.
QLineEdit *openField()
{
    auto *field = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QWidget *panel = QApplication::activePopupWidget();
    if (!field || field->objectName() != QLatin1String("dateField") || !panel || !panel->isAncestorOf(field))
        return nullptr;
    return field;
}

void pressCtrlG()
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_G, Qt::ControlModifier);
}

// Ctrl+G where the focus is, the text typed, Enter.
void goTo(const QString &text)
{
    pressCtrlG();
    QTest::keyClicks(QApplication::focusWidget(), text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

// The cells that show a mark, and what a screen reader hears of them.
QStringList marks(const Form1 &f)
{
    QStringList out;
    for (const rt::TextBox *cell : f.text1) {
        QString description = cell->accessibleDescription();
        // The cell with the focus tells what its day is (dayfacts.h, whose
        // tests read it): here, the marks' words it would say without it.
        if (cell->hasFocus()) {
            QStringList words;
            if (cell->isMarked())
                words << QStringLiteral("today");
            if (cell->isChosen())
                words << QStringLiteral("chosen day");
            description = words.join(QStringLiteral(", "));
        }
        if (cell->isMarked() || cell->isChosen() || !description.isEmpty())
            out << QStringLiteral("%1 %2 %3").arg(cell->objectName(), cell->Text(), description);
    }
    return out;
}

QString focusedCellText()
{
    auto *cell = qobject_cast<rt::TextBox *>(QApplication::focusWidget());
    return cell && cell->objectName().startsWith(QLatin1String("text1(")) ? cell->Text() : QStringLiteral("no cell");
}

void verifyShows(const Form1 &f, int year, int month)
{
    QCOMPARE(selectorTexts(f), selectorTextsFor(year, month));
    QCOMPARE(cells(f), expectedCells(year, month));
}

} // namespace

class TestDateGoto : public QObject {
    Q_OBJECT
private slots:
    // The reader follows the system's locale; here always the same one.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    // From a selector, the button and a cell: the field opens, empty and
    // labelled, over the grid and whole on the screen; Esc closes it and
    // the focus is back where it was, the month as it was.
    void ctrlGOpensTheFieldAndEscGoesBack_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("a selector") << "monthc";
        QTest::newRow("a digit") << "decade";
        QTest::newRow("the button") << "go";
        QTest::newRow("a cell") << "text1(9)";
        QTest::newRow("a cell that takes notes") << "text1(25)";
    }
    void ctrlGOpensTheFieldAndEscGoesBack()
    {
        QFETCH(QString, control);
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        auto *focus = f.client()->findChild<QWidget *>(control);
        QVERIFY(focus);
        focus->setFocus();

        pressCtrlG();
        QLineEdit *field = openField();
        QVERIFY(field);
        QVERIFY(field->text().isEmpty());
        auto *label = field->parentWidget()->findChild<QLabel *>();
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("Go to date:"));
        QCOMPARE(label->buddy(), field);
        QWidget *panel = field->window();
        const QRect grid(f.client()->mapToGlobal(f.text1[0]->pos()),
                         f.client()->mapToGlobal(f.text1[41]->geometry().bottomRight()));
        QVERIFY(panel->geometry().intersects(grid));
        QVERIFY(panel->screen()->availableGeometry().contains(panel->geometry()));
        QVERIFY(field->isVisible());

        QTest::keyClicks(field, "1789");
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!panel->isVisible());
        QCOMPARE(QApplication::focusWidget(), focus);
        verifyShows(f, 2026, 6);
        QCOMPARE(marks(f), QStringList{"text1(14) 15 today"});
        QCOMPARE(d.messages.beeps, 0);
    }

    // The frame hides and shows the calendar at each new photograph; the
    // field, open meanwhile, keeps the focus and what is typed in it.
    void theFieldKeepsTheFocusThroughANewPhotograph()
    {
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        f.text1[3]->setFocus();
        pressCtrlG();
        QLineEdit *field = openField();
        QVERIFY(field);
        QTest::keyClicks(field, "14 Ju");
        f.setVisible(false);
        f.setVisible(true);
        QCOMPARE(openField(), field);
        QTest::keyClicks(QApplication::focusWidget(), "ly 1789");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        verifyShows(f, 1789, 7);
        QCOMPARE(focusedCellText(), QStringLiteral("14"));
    }

    // The grid's menu offers it first, with its key.
    void theMenuOffersIt()
    {
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        f.text1[20]->setFocus();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), f.text1[20]->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(f.text1[20], &event);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QAction *item = menu->actions().value(0);
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("&Go to date..."));
        QCOMPARE(item->shortcut(), QKeySequence(QStringLiteral("Ctrl+G")));
        menu->close();
        item->trigger();
        QLineEdit *field = openField();
        QVERIFY(field);
        QTest::keyClick(field, Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), f.text1[20]);
    }

    // A day is chosen: its month shown as if picked in the selectors, the
    // focus and the chosen mark on its cell alone. A month or a year is
    // shown from its 1st, which takes the focus and no mark.
    void enterGoesToTheDate_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day"); // whose cell has the focus
        QTest::addColumn<bool>("chosen");
        QTest::newRow("a day") << "14 July 1789" << 1789 << 7 << 14 << true;
        QTest::newRow("a day in numbers") << "1789-07-14" << 1789 << 7 << 14 << true;
        QTest::newRow("after the leap shift") << "1 April 2024" << 2024 << 4 << 1 << true;
        QTest::newRow("the 3200 February's last day") << "28 Feb 3200" << 3200 << 2 << 28 << true;
        QTest::newRow("the last day") << "31 December 9999" << 9999 << 12 << 31 << true;
        QTest::newRow("today: both marks") << "today" << 2026 << 6 << 15 << true;
        QTest::newRow("a month") << "July 1789" << 1789 << 7 << 1 << false;
        QTest::newRow("a month of this year") << "dec" << 2026 << 12 << 1 << false;
        QTest::newRow("this month") << "June 2026" << 2026 << 6 << 1 << false;
        QTest::newRow("a year: its January") << "1789" << 1789 << 1 << 1 << false;
        QTest::newRow("the year 0") << "0" << 0 << 1 << 1 << false;
    }
    void enterGoesToTheDate()
    {
        QFETCH(QString, typed);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(bool, chosen);
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        f.monthc->setFocus();
        goTo(typed);
        QVERIFY(!QApplication::activePopupWidget());
        verifyShows(f, year, month);
        QCOMPARE(focusedCellText(), QString::number(day));
        const int cell = engine::layout(engine::selectionOf(year, month)).startCell + day - 1;
        QCOMPARE(QApplication::focusWidget(), f.text1[static_cast<std::size_t>(cell)]);

        QStringList expected;
        const bool today = year == 2026 && month == 6;
        if (today && !(chosen && day == 15))
            expected << QStringLiteral("text1(14) 15 today");
        if (chosen) {
            expected << QStringLiteral("text1(%1) %2 %3chosen day")
                            .arg(cell)
                            .arg(day)
                            .arg(today && day == 15 ? QStringLiteral("today, ") : QString());
        }
        QCOMPARE(marks(f), expected);
        QCOMPARE(f.chosenDay().has_value(), chosen);
        QCOMPARE(d.messages.beeps, 0);
    }

    // A text that names no date: the reason beside the field, the text kept
    // for correcting, the field open with the focus; nothing else changes.
    void aDateItCannotReadChangesNothing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("no 31 June") << "31 June 1789";
        QTest::newRow("3200 is a common year") << "29 February 3200";
        QTest::newRow("past 9999") << "1 January 10000";
        QTest::newRow("nothing") << "";
        QTest::newRow("not a date") << "next tuesday";
        QTest::newRow("long") << QString(300, QLatin1Char('7'));
    }
    void aDateItCannotReadChangesNothing()
    {
        QFETCH(QString, typed);
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        goTo(QStringLiteral("14 July 1789"));
        const QStringList before = marks(f);

        goTo(typed);
        QLineEdit *field = openField();
        QVERIFY(field);
        QCOMPARE(field->text(), typed);
        QVERIFY(rt::Balloon::current());
        const auto reason = readDate(typed, QLocale(), 2026, 6, 15);
        QVERIFY(std::holds_alternative<QString>(reason));
        QCOMPARE(rt::Balloon::current()->text(), std::get<QString>(reason));
        QCOMPARE(rt::Balloon::current()->control(), field);
        QCOMPARE(d.messages.beeps, 1);
        verifyShows(f, 1789, 7);
        QCOMPARE(marks(f), before);

        // Corrected, it goes.
        field->clear();
        QTest::keyClicks(field, "20 July 1789");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(focusedCellText(), QStringLiteral("20"));
        QCOMPARE(marks(f), QStringList{"text1(21) 20 chosen day"});
    }

    // The mark stays with its month: gone while another is shown, back
    // with it, moved by the next day chosen and kept by a month gone to.
    void theMarkFollowsItsMonth()
    {
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        goTo(QStringLiteral("14 July 1789"));
        const QStringList chosen{"text1(15) 14 chosen day"};
        QCOMPARE(marks(f), chosen);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        verifyShows(f, 1789, 8);
        QCOMPARE(marks(f), QStringList{});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
        QCOMPARE(marks(f), chosen);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(marks(f), QStringList{});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ShiftModifier);
        QCOMPARE(marks(f), chosen);

        goTo(QStringLiteral("3 July 1789"));
        QCOMPARE(marks(f), QStringList{"text1(4) 3 chosen day"});
        goTo(QStringLiteral("August 1789"));
        QCOMPARE(marks(f), QStringList{});
        goTo(QStringLiteral("July 1789"));
        QCOMPARE(marks(f), QStringList{"text1(4) 3 chosen day"});
        QCOMPARE(focusedCellText(), QStringLiteral("1"));
    }

    // Up and Down go through the dates gone to in this run, newest first,
    // each place once, as far as the last ten; Down past the newest gives
    // back what was being typed. Dates not taken are not remembered.
    void upAndDownRecallTheDatesGoneTo()
    {
        testing::ProgramDoubles d;
        testing::shownCalendar();
        for (const char *typed : {"14 July 1789", "1900", "31 June 1789", "2 feb 1900", "1789-07-14"}) {
            goTo(QString::fromLatin1(typed));
            if (QLineEdit *field = openField())
                QTest::keyClick(field, Qt::Key_Escape);
        }
        pressCtrlG();
        QLineEdit *field = openField();
        QVERIFY(field);
        QTest::keyClicks(field, "18");
        QStringList seen;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(field, Qt::Key_Up);
            seen << field->text();
        }
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(field, Qt::Key_Down);
            seen << field->text();
        }
        QCOMPARE(seen,
                 (QStringList{"1789-07-14", "2 feb 1900", "1900", "1900", "2 feb 1900", "1789-07-14", "18", "18"}));
        QCOMPARE(QApplication::focusWidget(), field);

        // Twelve more: the oldest the field keeps is the tenth last.
        QTest::keyClick(field, Qt::Key_Escape);
        for (int year = 2001; year <= 2012; ++year)
            goTo(QString::number(year));
        pressCtrlG();
        field = openField();
        QVERIFY(field);
        for (int i = 0; i < 12; ++i)
            QTest::keyClick(field, Qt::Key_Up);
        QCOMPARE(field->text(), QStringLiteral("2003"));
        QTest::keyClick(field, Qt::Key_Escape);
    }
};

QTEST_MAIN(TestDateGoto)
#include "tst_dategoto.moc"
