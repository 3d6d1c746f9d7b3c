// The ISO week numbers beside the calendar's grid: off, the window is as
// designed; on, it grows by the column and nothing moves against the grid;
// the numbers follow every drawing and are read as "week N"; the choice is
// the person's preference.
#include "calendar/form1.h"
#include "calendar/weekcolumn.h"
#include "calendarcells.h"
#include "doubles.h"
#include "webdouble.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

namespace {

// Every control of the window but the column's, and where it stands.
QMap<QString, QRect> places(const Form1 &f)
{
    QMap<QString, QRect> out;
    for (QObject *child : f.client()->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (!w || w->objectName().startsWith(QLatin1String("week")))
            continue;
        out.insert(w->objectName().isEmpty() ? w->metaObject()->className() + QString::number(out.size())
                                             : w->objectName(),
                   w->geometry());
    }
    return out;
}

QStringList weeks(const Form1 &f)
{
    QStringList out;
    for (int r = 0; r < 6; ++r)
        out << f.weekColumn().row(r)->text();
    return out;
}

} // namespace

class TestWeekColumn : public QObject {
    Q_OBJECT
private slots:
    void onAndOff()
    {
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        const QSize designed = f.client()->size();
        const QSize window = f.window()->size();
        const QMap<QString, QRect> before = places(f);
        QCOMPARE(designed, QSize(rt::px(5400), rt::px(4755)));
        QVERIFY(!f.weekColumn().header()->isVisible());

        f.showWeekNumbers(true);
        QVERIFY(d.preferences.weekNumbers());
        QCOMPARE(f.client()->size(), designed + QSize(rt::px(WeekColumn::width), 0));
        QCOMPARE(f.window()->size(), window + QSize(rt::px(WeekColumn::width), 0));
        QVERIFY(f.weekColumn().header()->isVisible());
        // Everything else moved with the grid, by the column's width.
        const QMap<QString, QRect> after = places(f);
        QCOMPARE(after.keys(), before.keys());
        for (const QString &name : before.keys())
            QCOMPARE(after[name], before[name].translated(rt::px(WeekColumn::width), 0));
        // The column stands where the grid's first column stood.
        QCOMPARE(f.weekColumn().row(0)->geometry().left(), before[QStringLiteral("text1(0)")].left());

        f.showWeekNumbers(false);
        QVERIFY(!d.preferences.weekNumbers());
        QCOMPARE(f.client()->size(), designed);
        QCOMPARE(f.window()->size(), window);
        QCOMPARE(places(f), before);
    }

    // The grid's menu turns them on and off, its item checked as they stand.
    void fromTheMenu()
    {
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        for (const bool on : {true, false}) {
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), f.text1[9]->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(f.text1[9], &event);
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QAction *item = nullptr;
            for (QAction *action : menu->actions()) {
                if (action->text() == QLatin1String("&Week numbers"))
                    item = action;
            }
            QVERIFY(item);
            QVERIFY(item->isCheckable());
            QCOMPARE(item->isChecked(), !on);
            item->trigger();
            menu->close();
            QCOMPARE(f.weekColumn().isShown(), on);
            QCOMPARE(d.preferences.weekNumbers(), on);
        }
    }

    void numbers_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<QStringList>("weeks");
        QTest::newRow("June 2026") << 2026 << 6 << QStringList{"23", "24", "25", "26", "27", ""};
        // 1 January 2027, a Friday, is in week 53 of 2026.
        QTest::newRow("January 2027") << 2027 << 1 << QStringList{"53", "1", "2", "3", "4", ""};
        QTest::newRow("December 2024 into week 1") << 2024 << 12 << QStringList{"48", "49", "50", "51", "52", "1"};
        // April 2024 begins in the second row: the first stays blank.
        QTest::newRow("April 2024") << 2024 << 4 << QStringList{"", "14", "15", "16", "17", "18"};
        QTest::newRow("February 2021") << 2021 << 2 << QStringList{"5", "6", "7", "8", "", ""};
        QTest::newRow("January 0") << 0 << 1 << QStringList{"52", "1", "2", "3", "4", "5"};
        QTest::newRow("December 9999") << 9999 << 12 << QStringList{"48", "49", "50", "51", "52", ""};
    }
    void numbers()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(QStringList, weeks);
        testing::ProgramDoubles d;
        d.preferences.setWeekNumbers(true);
        Form1 &f = testing::shownCalendar();
        QVERIFY(f.weekColumn().isShown());
        f.showMonth(year, month);
        QCOMPARE(::weeks(f), weeks);
        for (int r = 0; r < 6; ++r) {
            const QString name = weeks[r].isEmpty() ? QString() : QStringLiteral("week ") + weeks[r];
            QCOMPARE(f.weekColumn().row(r)->accessibleName(), name);
        }
        // By key, as by the button: away and back.
        const bool last = year == 9999 && month == 12;
        QTest::keyClick(f.go, last ? Qt::Key_PageUp : Qt::Key_PageDown);
        QTest::keyClick(f.go, last ? Qt::Key_PageDown : Qt::Key_PageUp);
        QCOMPARE(::weeks(f), weeks);
    }
};

QTEST_MAIN(TestWeekColumn)
#include "tst_weekcolumn.moc"
