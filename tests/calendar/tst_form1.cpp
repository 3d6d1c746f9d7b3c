#include "calendar/form1.h"
#include "calendarcells.h"
#include "doubles.h"
#include "engine/calendar.h"
#include "shell/mdiform1.h"
#include "webdouble.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QMdiSubWindow>
#include <QStyleOptionComboBox>
#include <QStyleOptionTitleBar>
#include <QTest>

namespace {

using testing::cells;
using testing::expectedCells;
using testing::selectorTexts;

using testing::choose;

Form1 &shown()
{
    return testing::shownCalendar();
}

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT
private slots:
    // As the program runs: in its own style.
    void initTestCase() { rt::installStyle(); }

    // Built ahead while the splash waits, the calendar loads into the same
    // window as one built at its load; until then nothing is loaded or shown.
    void builtAheadLoadsTheSameWindow()
    {
        const auto snapshot = [](Form1 &f) {
            QStringList s{f.Caption()};
            for (const QWidget *w : {f.window(), f.client()}) {
                const QRect r = w->geometry();
                s << QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
            }
            for (QWidget *w = f.monthc->nextInFocusChain(); w != f.monthc; w = w->nextInFocusChain()) {
                if (w->focusPolicy() & Qt::TabFocus)
                    s << w->objectName();
            }
            return s + selectorTexts(f) + cells(f);
        };
        QStringList atLoad;
        {
            testing::ProgramDoubles d;
            d.date.date = QDate(2026, 6, 15);
            atLoad = snapshot(shown());
        }
        testing::ProgramDoubles d;
        d.date.date = QDate(2026, 6, 15);
        Form1::prepareLoad();
        QVERIFY(rt::Forms::loaded().empty());
        QVERIFY(!rt::isLoaded<Form1>());
        QVERIFY(!rt::isLoaded<MDIForm1>());
        for (const QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
        QCOMPARE(snapshot(shown()), atLoad);
        QCOMPARE(rt::Forms::loaded().size(), std::size_t{2});
    }

    // Built ahead and never loaded (the program ends during the splash), the
    // controls go with the forms.
    void builtAheadAndNeverLoadedGoesAtTheEnd()
    {
        QPointer<QWidget> grid;
        {
            testing::ProgramDoubles d;
            Form1::prepareLoad();
            QVERIFY(!rt::isLoaded<Form1>());
            const auto boxes = QApplication::allWidgets();
            for (QWidget *w : boxes) {
                if (w->objectName() == QStringLiteral("text1(0)"))
                    grid = w;
            }
            QVERIFY(grid);
        }
        QVERIFY(!grid);
        QVERIFY(!rt::isLoaded<Form1>());
        // And a later load builds afresh.
        testing::ProgramDoubles d;
        QCOMPARE(shown().Caption(), QStringLiteral("TEMPORIA"));
    }

    void opensOnToday_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QStringList>("selectors");
        QTest::addColumn<int>("firstCell");
        QTest::newRow("2026-06-15") << QDate(2026, 6, 15) << QStringList{"2", "0", "2", "6", "Jun"} << 0;
        QTest::newRow("2026-12-01") << QDate(2026, 12, 1) << QStringList{"2", "0", "2", "6", "December"} << 1;
        QTest::newRow("2099-12-31") << QDate(2099, 12, 31) << QStringList{"2", "0", "9", "9", "December"} << 1;
        QTest::newRow("2056-03-10") << QDate(2056, 3, 10) << QStringList{"2", "0", "5", "6", "March"} << 2;
        QTest::newRow("1900-01-01") << QDate(1900, 1, 1) << QStringList{"1", "9", "0", "0", "January"} << 0;
    }
    void opensOnToday()
    {
        QFETCH(QDate, today);
        QFETCH(QStringList, selectors);
        QFETCH(int, firstCell);
        testing::ProgramDoubles d;
        d.date.date = today;
        Form1 &f = rt::form<Form1>();
        f.setVisible(true);
        QCOMPARE(selectorTexts(f), selectors);
        QCOMPARE(f.monthc->ListIndex(), today.month() - 1);
        QCOMPARE(cells(f), expectedCells(today.year(), today.month()));
        QCOMPARE(f.text1[static_cast<std::size_t>(firstCell)]->Text(), QStringLiteral("1"));
    }

    // Every cell is rewritten: a shorter month after a longer one leaves the
    // rest empty, whatever was typed into the cells that take typing.
    void drawsTheChosenMonth_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("leap");
        QTest::newRow("1900 February") << 1900 << 2 << 0;
        QTest::newRow("2024 April, row 0 empty") << 2024 << 4 << 1;
        QTest::newRow("2024 February") << 2024 << 2 << 0;
        QTest::newRow("2021 February, four rows") << 2021 << 2 << 0;
        QTest::newRow("3200 March") << 3200 << 3 << 0;
        QTest::newRow("0 January") << 0 << 1 << 0;
        QTest::newRow("9999 December") << 9999 << 12 << 0;
    }
    void drawsTheChosenMonth()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, leap);
        testing::ProgramDoubles d;
        d.date.date = QDate(2024, 7, 1); // cells 7 to 37
        Form1 &f = rt::form<Form1>();
        f.setVisible(true);
        f.text1[39]->setFocus();
        QTest::keyClicks(f.text1[39], QStringLiteral("typed"));
        QCOMPARE(f.text1[39]->Text(), QStringLiteral("typed"));

        choose(f, year, month);
        QStringList before = expectedCells(2024, 7);
        before[39] = QStringLiteral("typed");
        QCOMPARE(cells(f), before); // nothing drawn before the click
        QTest::mouseClick(f.go, Qt::LeftButton);
        QCOMPARE(cells(f), expectedCells(year, month));
        QCOMPARE(f.leap, leap);
        QTest::mouseClick(f.go, Qt::LeftButton);
        QCOMPARE(cells(f), expectedCells(year, month));
        QCOMPARE(d.messages.beeps, 0);
    }

    void accessKeyPressesTheButtonButEnterElsewhereDoesNot()
    {
        testing::ProgramDoubles d;
        Form1 &f = shown();
        choose(f, 2001, 1);
        f.text1[3]->setFocus();
        QTest::keyClick(f.text1[3], Qt::Key_Return);
        QTest::keyClick(f.text1[3], Qt::Key_Escape);
        QCOMPARE(cells(f), expectedCells(2026, 6));
        QTest::keyClick(f.text1[3], Qt::Key_T, Qt::AltModifier);
        QCOMPARE(cells(f), expectedCells(2001, 1));
    }

    // Typed text that names no item: the grid stays, the offending selector
    // gets the focus with its text selected, the program beeps and a balloon
    // beside the selector says why - to the eye and to a screen reader.
    void invalidSelectionKeepsTheGrid_data()
    {
        QTest::addColumn<QString>("selector");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("said");
        const QString months = QStringLiteral("Choose a month from the list: January, February, March, April, May, "
                                              "Jun, July, August, September, October, November, December.");
        const QString digits = QStringLiteral("Choose a digit from the list: 0, 1, 2, 3, 4, 5, 6, 7, 8, 9.");
        QTest::newRow("empty month") << QStringLiteral("monthc") << QString() << months;
        QTest::newRow("June, spelt out") << QStringLiteral("monthc") << QStringLiteral("June")
                                         << QStringLiteral("\u201CJune\u201D is not in the list. ") + months;
        QTest::newRow("letters") << QStringLiteral("yearc") << QStringLiteral("xyz")
                                 << QStringLiteral("\u201Cxyz\u201D is not in the list. ") + digits;
        QTest::newRow("negative") << QStringLiteral("decade") << QStringLiteral("-1")
                                  << QStringLiteral("\u201C-1\u201D is not in the list. ") + digits;
        QTest::newRow("padded digit") << QStringLiteral("century") << QStringLiteral(" 7 ")
                                      << QStringLiteral("\u201C 7 \u201D is not in the list. ") + digits;
        QTest::newRow("two digits") << QStringLiteral("millenium") << QStringLiteral("10")
                                    << QStringLiteral("\u201C10\u201D is not in the list. ") + digits;
        QTest::newRow("10,000 characters")
            << QStringLiteral("monthc") << QString(10000, QLatin1Char('9'))
            << QStringLiteral("\u201C99999999999999999999\u2026\u201D is not in the list. ") + months;
        QTest::newRow("non-Latin") << QStringLiteral("monthc") << QStringLiteral("Январь")
                                   << QStringLiteral("\u201CЯнварь\u201D is not in the list. ") + months;
    }
    void invalidSelectionKeepsTheGrid()
    {
        QFETCH(QString, selector);
        QFETCH(QString, typed);
        QFETCH(QString, said);
        testing::ProgramDoubles d;
        Form1 &f = shown();
        choose(f, 2001, 1);
        auto *combo = f.client()->findChild<rt::ComboBox *>(selector);
        QVERIFY(combo);
        const int items = combo->ListCount();
        const QString description = combo->accessibleDescription();
        combo->lineEdit()->selectAll();
        combo->lineEdit()->del();
        combo->lineEdit()->insert(typed);
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);

        QTest::mouseClick(f.go, Qt::LeftButton);
        QCOMPARE(cells(f), expectedCells(2026, 6));
        QCOMPARE(d.messages.beeps, 1);
        QVERIFY(combo->hasFocus());
        QCOMPARE(combo->lineEdit()->selectedText(), typed);
        QCOMPARE(combo->ListCount(), items);
        QVERIFY(d.messages.shown.empty());

        rt::Balloon *balloon = rt::Balloon::current();
        QVERIFY(balloon);
        QCOMPARE(balloon->control(), combo);
        QCOMPARE(balloon->text(), said);
        QVERIFY(balloon->geometry().top() >= combo->mapToGlobal(QPoint(0, combo->height())).y());
        // The screen reader hears it with the selector the focus is in.
        for (QWidget *w : {static_cast<QWidget *>(combo), static_cast<QWidget *>(combo->lineEdit())})
            QCOMPARE(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Description), said);

        QTest::keyClick(combo->lineEdit(), Qt::Key_Right);
        QVERIFY(!rt::Balloon::current());
        QCOMPARE(combo->accessibleDescription(), description);
        QCOMPARE(combo->lineEdit()->accessibleDescription(), QString());
    }

    // The balloon goes with the moment: at a key pressed anywhere, at a
    // click, when the focus moves on, and when the slideshow hides the window.
    void balloonGoesWithTheMoment_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("access key again") << QStringLiteral("Alt+T");
        QTest::newRow("Tab") << QStringLiteral("Tab");
        QTest::newRow("click on a cell") << QStringLiteral("click");
        QTest::newRow("slideshow") << QStringLiteral("slideshow");
    }
    void balloonGoesWithTheMoment()
    {
        QFETCH(QString, how);
        testing::ProgramDoubles d;
        Form1 &f = shown();
        f.decade->lineEdit()->selectAll();
        f.decade->lineEdit()->insert(QStringLiteral("x"));
        QTest::keyClick(f.text1[3], Qt::Key_T, Qt::AltModifier);
        QVERIFY(rt::Balloon::current());
        QCOMPARE(rt::Balloon::current()->control(), f.decade);

        if (how == QStringLiteral("Alt+T")) {
            // Still nothing to draw: a new balloon, the old one gone.
            QPointer<rt::Balloon> first = rt::Balloon::current();
            QTest::keyClick(f.decade, Qt::Key_T, Qt::AltModifier);
            QVERIFY(rt::Balloon::current() && rt::Balloon::current() != first);
            QVERIFY(!first || first->isHidden());
            QCOMPARE(d.messages.beeps, 2);
            return;
        }
        if (how == QStringLiteral("Tab"))
            QTest::keyClick(f.decade, Qt::Key_Tab);
        else if (how == QStringLiteral("click"))
            QTest::mouseClick(f.text1[3], Qt::LeftButton);
        else
            d.clock.advance(20000);
        QVERIFY(!rt::Balloon::current());
        QCOMPARE(f.decade->accessibleDescription(), QStringLiteral("Tens digit of the year"));
        QCOMPARE(cells(f), expectedCells(2026, 6));
    }

    // The grid's cells show the drawn month; only 25, 32 and 39 take the
    // user's notes, whichever way the text comes.
    void lockedCellsTakeNoTyping_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("keys") << QStringLiteral("keys");
        QTest::newRow("input method") << QStringLiteral("input method");
        QTest::newRow("paste") << QStringLiteral("paste");
    }
    void lockedCellsTakeNoTyping()
    {
        QFETCH(QString, how);
        testing::Doubles d;
        Form1 &f = shown();
        QApplication::clipboard()->setText(QStringLiteral("7"));
        for (int n : {24, 25}) {
            rt::TextBox *cell = f.text1[static_cast<std::size_t>(n)];
            cell->setFocus();
            cell->end(false);
            if (how == QStringLiteral("keys")) {
                QTest::keyClicks(cell, QStringLiteral("7"));
            } else if (how == QStringLiteral("paste")) {
                QTest::keyClick(cell, Qt::Key_V, Qt::ControlModifier);
            } else {
                // As an input method does: only where input is enabled.
                QInputMethodQueryEvent query(Qt::ImEnabled);
                QCoreApplication::sendEvent(cell, &query);
                QCOMPARE(query.value(Qt::ImEnabled).toBool(), n == 25);
                QInputMethodEvent commit;
                commit.setCommitString(QStringLiteral("7"));
                QCoreApplication::sendEvent(cell, &commit);
            }
        }
        QCOMPARE(f.text1[24]->Text(), QStringLiteral("25")); // June 2026 starts on a Monday
        QCOMPARE(f.text1[25]->Text(), QStringLiteral("267"));
    }

    void textEqualToAnItemSelectsIt()
    {
        testing::ProgramDoubles d;
        Form1 &f = rt::form<Form1>();
        f.setVisible(true);
        choose(f, 2001, 1);
        f.monthc->lineEdit()->selectAll();
        f.monthc->lineEdit()->insert(QStringLiteral("jun"));
        f.yearc->lineEdit()->selectAll();
        f.yearc->lineEdit()->insert(QStringLiteral("4"));
        QTest::mouseClick(f.go, Qt::LeftButton);
        QCOMPARE(cells(f), expectedCells(2004, 6));
        QCOMPARE(d.messages.beeps, 0);
    }

    void layoutFollowsTheDesign()
    {
        testing::ProgramDoubles d;
        Form1 &f = rt::form<Form1>();
        f.setVisible(true);
        QCOMPARE(f.Caption(), QStringLiteral("TEMPORIA"));
        QCOMPARE(f.client()->size(), QSize(360, 317));
        QCOMPARE(f.text1[0]->geometry(), QRect(16, 112, 41, 33));
        QCOMPARE(f.text1[41]->geometry(), QRect(256, 272, 41, 33));
        QCOMPARE(f.go->geometry(), QRect(128, 56, 57, 25));

        // Label1(0) heads the last column, Sunday.
        const QStringList headers{"SON", "MON", "TUE", "WED", "THR", "FRI", "SAT"};
        for (int i = 0; i < 7; ++i)
            QCOMPARE(f.Label1[static_cast<std::size_t>(i)]->Caption(), headers[i]);
        QCOMPARE(f.Label1[0]->x(), f.text1[6]->x());
        QCOMPARE(f.Label1[1]->x(), f.text1[0]->x());

        for (int n = 0; n < 42; ++n) {
            const rt::TextBox *cell = f.text1[static_cast<std::size_t>(n)];
            QCOMPARE(cell->isReadOnly(), n != 25 && n != 32 && n != 39);
            const QColor expected = n % 7 == 6 ? QColor(255, 0, 0) : n == 5 ? QColor(0, 0, 192) : QColor(0, 0, 255);
            QCOMPARE(cell->palette().color(QPalette::Text), expected);
        }

        // No close button, no resizing.
        const Qt::WindowFlags flags = f.window()->windowFlags();
        QVERIFY(!(flags & Qt::WindowCloseButtonHint));
        QVERIFY(!(flags & Qt::WindowSystemMenuHint));
        QCOMPARE(f.client()->minimumSize(), f.client()->maximumSize());
    }

    // The selectors are narrow: their slim drop-down button leaves the text
    // field room for the longest month names.
    void selectorsHaveTheSlimDropDownButton()
    {
        testing::ProgramDoubles d;
        Form1 &f = rt::form<Form1>();
        f.setVisible(true);
        for (const rt::ComboBox *selector : {f.monthc, f.millenium, f.century, f.decade, f.yearc}) {
            QStyleOptionComboBox option;
            option.initFrom(selector);
            option.editable = true;
            const auto part = [&](const QStyle *style, QStyle::SubControl sub) {
                return style->subControlRect(QStyle::CC_ComboBox, &option, sub, selector);
            };
            const QRect arrow = part(selector->style(), QStyle::SC_ComboBoxArrow);
            QVERIFY2(arrow.width() < part(QApplication::style(), QStyle::SC_ComboBoxArrow).width(),
                     qPrintable(selector->objectName()));
            QVERIFY(part(selector->style(), QStyle::SC_ComboBoxEditField).right() < arrow.left());
        }
    }

    // Through the window's own frame: dragging its edges and corners changes
    // nothing and shows no resize pointer, its caption still moves it, and
    // the caption has neither buttons nor a system menu.
    void frameKeepsItsSizeAndHasNoSystemMenu()
    {
        testing::ProgramDoubles d;
        Form1 &f = shown();
        auto *sub = qobject_cast<QMdiSubWindow *>(f.window());
        QVERIFY(sub);
        QWindow *screenWindow = sub->window()->windowHandle();
        auto drag = [&](QPoint from, QPoint by) {
            const QPoint at = sub->mapTo(sub->window(), from);
            QTest::mouseMove(screenWindow, at);
            QTest::mousePress(screenWindow, Qt::LeftButton, {}, at);
            for (int step = 1; step <= 4; ++step)
                QTest::mouseMove(screenWindow, at + by * step / 4);
            QTest::mouseRelease(screenWindow, Qt::LeftButton, {}, at + by);
        };

        const QSize size = sub->size();
        const QPoint place = sub->pos();
        const int w = size.width();
        const int h = size.height();
        // The top corners are rounded off: a press right on them is the frame's.
        const QPoint edges[] = {{w - 1, h - 1}, {w - 1, h / 2}, {w / 2, h - 1}, {0, h / 2}, {2, 2}, {w / 2, 0}};
        for (const QPoint edge : edges) {
            QTest::mouseMove(screenWindow, sub->mapTo(sub->window(), edge));
            const Qt::CursorShape shape = sub->cursor().shape();
            QVERIFY2(shape != Qt::SizeFDiagCursor && shape != Qt::SizeBDiagCursor && shape != Qt::SizeHorCursor
                         && shape != Qt::SizeVerCursor,
                     qPrintable(QStringLiteral("resize pointer at %1,%2").arg(edge.x()).arg(edge.y())));
            drag(edge, QPoint(40, 40));
            QCOMPARE(sub->size(), size);
            QCOMPARE(sub->pos(), place);
        }

        // The caption: thinner than a window's, and it moves the window.
        const int caption = f.client()->mapTo(sub, QPoint()).y();
        QMdiSubWindow plain;
        QStyleOptionTitleBar option;
        option.initFrom(&plain);
        option.titleBarFlags = plain.windowFlags();
        QVERIFY(caption < plain.style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, &plain));
        drag(QPoint(w / 2, caption / 2), QPoint(30, 20));
        QCOMPARE(sub->pos(), place + QPoint(30, 20));
        QCOMPARE(sub->size(), size);

        QVERIFY(!sub->systemMenu());
        const QPoint onCaption(w / 2, caption / 2);
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, onCaption, sub->mapToGlobal(onCaption));
        QApplication::sendEvent(sub, &rightClick);
        QVERIFY(!QApplication::activePopupWidget());
        const Qt::WindowFlags flags = sub->windowFlags();
        QVERIFY(!(flags & (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));

        // The frame's click still minimises and restores it, at its size.
        f.setWindowState(rt::WindowState::Minimised);
        QVERIFY(sub->height() < h);
        f.setWindowState(rt::WindowState::Normal);
        QCOMPARE(sub->size(), size);
    }

    void focusOrder()
    {
        testing::ProgramDoubles d;
        Form1 &f = rt::form<Form1>();
        f.setVisible(true);
        QList<QWidget *> order;
        QWidget *w = f.text1[0];
        for (int i = 0; i < 48; ++i) {
            order << w;
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus) || !f.client()->isAncestorOf(w)
                   || w->parentWidget() != f.client());
        }
        QList<QWidget *> expected;
        for (int n = 0; n <= 34; ++n)
            expected << f.text1[static_cast<std::size_t>(n)];
        expected << f.monthc << f.millenium << f.century << f.decade << f.yearc << f.go;
        for (int n = 35; n <= 41; ++n)
            expected << f.text1[static_cast<std::size_t>(n)];
        QCOMPARE(order, expected);
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
