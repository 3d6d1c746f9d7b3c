// What a screen reader is told about the windows: every control a person can
// reach has a role and a name, the day cells say where they stand while
// their text is the day, and nothing is listed that a person cannot meet.
// The real desktop bus is exercised by atspi_calendar.py (tests
// calendar_atspi_xvfb and browser_atspi_xvfb).
#include "about/frmabout.h"
#include "browser/frmbrowser.h"
#include "calendar/form1.h"
#include "doubles.h"
#include "shell/mdiform1.h"
#include "webdouble.h"

#include <QAccessible>
#include <QMdiArea>
#include <QQuickWindow>
#include <QTest>

namespace {

QAccessibleInterface *accessible(QWidget *w)
{
    return QAccessible::queryAccessibleInterface(w);
}

// The name a screen reader gives a control: its own, or for a selector,
// whose name on some systems is the text it holds, that of its label.
QString spokenName(QAccessibleInterface *control)
{
    QString name = control->text(QAccessible::Name);
    if (control->role() == QAccessible::ComboBox) {
        const auto labels = control->relations(QAccessible::Label);
        name = labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
    }
    return name;
}

// What a screen reader meets at and below `node` that has no name or is not
// there, one line each. A box's drop-down list, while closed, belongs to the
// box and only needs a name.
QStringList unmet(QAccessibleInterface *node, const QString &path = QString())
{
    QString role;
    QDebug(&role).noquote().nospace() << node->role();
    QObject *object = node->object();
    const QString here = path + QLatin1Char('/') + role.section(QLatin1String("::"), -1) + QLatin1Char(' ')
                         + (object ? object->objectName() : QString());
    QStringList found;
    if (spokenName(node).isEmpty())
        found << here + QStringLiteral(": no name");
    const bool closedList =
        node->role() == QAccessible::List && node->parent() && node->parent()->role() == QAccessible::ComboBox;
    if (closedList && node->state().invisible)
        return found;
    if (node->state().invisible)
        found << here + QStringLiteral(": not there");
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface *child = node->child(i))
            found << unmet(child, here);
    }
    return found;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    // As the program does, before anything asks.
    void initTestCase()
    {
        rt::installAccessibility();
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    }

    void everyControlHasARoleAndAName_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("Form1") << QStringLiteral("Form1");
        QTest::newRow("MDIForm1") << QStringLiteral("MDIForm1");
        QTest::newRow("frmAbout") << QStringLiteral("frmAbout");
    }
    void everyControlHasARoleAndAName()
    {
        QFETCH(QString, window);
        testing::ProgramDoubles d;
        rt::Form *form = nullptr;
        QWidgetList controls;
        if (window == QStringLiteral("frmAbout")) {
            form = &rt::form<frmAbout>();
        } else {
            form = &rt::form<Form1>();
            if (window == QStringLiteral("MDIForm1")) {
                form = &rt::form<MDIForm1>();
                controls << form->client(); // the background, which takes clicks
            }
        }
        form->setVisible(true);
        const QAccessible::Role windowRole =
            window == QStringLiteral("frmAbout") ? QAccessible::Dialog : QAccessible::Window;
        QCOMPARE(accessible(form->window())->role(), windowRole);
        QVERIFY(!accessible(form->window())->text(QAccessible::Name).isEmpty());

        for (QObject *child : form->client()->children()) {
            auto *w = qobject_cast<QWidget *>(child);
            if (w && w->isVisibleTo(form->window()) && window != QStringLiteral("MDIForm1"))
                controls << w;
        }
        QVERIFY(!controls.isEmpty());
        for (QWidget *w : std::as_const(controls)) {
            QAccessibleInterface *control = accessible(w);
            const QString what =
                w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
            QVERIFY2(control->role() != QAccessible::NoRole && control->role() != QAccessible::Client,
                     qPrintable(what + QStringLiteral(": no role")));
            if (control->role() == QAccessible::Separator)
                continue; // lines are passed over
            QVERIFY2(!spokenName(control).isEmpty(), qPrintable(what + QStringLiteral(": no name")));
            if (control->role() == QAccessible::ComboBox)
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(what + QStringLiteral(": no accessible name")));
        }
    }

    // The browser as a screen reader meets it: every object named and
    // there, the toolbar's "more buttons" button only when some buttons do
    // not fit, and then named too.
    void browserHasNothingUnmet_data()
    {
        QTest::addColumn<int>("width"); // of the window, in pixels
        QTest::newRow("as it opens") << 0;
        QTest::newRow("too narrow for the toolbar") << 120;
    }
    void browserHasNothingUnmet()
    {
        QFETCH(int, width);
        testing::ProgramDoubles d;
        frmBrowser &browser = rt::form<frmBrowser>();
        browser.setVisible(true);
        if (width > 0) {
            browser.window()->resize(width, browser.window()->height());
            QTRY_COMPARE(browser.window()->width(), width);
        }
        QAccessibleInterface *window = accessible(browser.window());
        const QStringList found = unmet(window);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));

        QAccessibleInterface *toolbar = accessible(browser.tbToolBar);
        QStringList buttons;
        for (int i = 0; i < toolbar->childCount(); ++i)
            buttons << toolbar->child(i)->text(QAccessible::Name);
        if (width == 0) {
            QCOMPARE(buttons, (QStringList{"Back", "Forward", "Stop", "Refresh", "Home", "Search"}));
        } else {
            QVERIFY2(buttons.contains(QStringLiteral("More buttons")), qPrintable(buttons.join(u',')));
            QVERIFY2(buttons.size() < 7, qPrintable(buttons.join(u',')));
        }
    }

    // The program lists only its windows on the screen: not the window a
    // view drawn off the screen keeps (the web page view's is titled
    // "Offscreen"), which is never shown.
    void programListsOnlyWindowsOnTheScreen()
    {
        testing::ProgramDoubles d;
        rt::form<frmAbout>().setVisible(true);
        QQuickWindow offscreen;
        offscreen.setTitle(QStringLiteral("Offscreen"));
        QVERIFY(QGuiApplication::topLevelWindows().contains(&offscreen));

        QAccessibleInterface *program = QAccessible::queryAccessibleInterface(qApp);
        QStringList windows;
        for (int i = 0; i < program->childCount(); ++i) {
            QAccessibleInterface *w = program->child(i);
            QCOMPARE(program->indexOfChild(w), i);
            windows << w->text(QAccessible::Name);
            QVERIFY2(!w->state().invisible, qPrintable(windows.last()));
        }
        QCOMPARE(windows, QStringList{QStringLiteral("About TEMPORIA")});
    }

    void selectorsAreNamedByTheirTitles()
    {
        testing::ProgramDoubles d;
        Form1 &f = rt::form<Form1>();
        f.setVisible(true);
        const std::array<std::pair<rt::ComboBox *, QString>, 5> titled{{{f.monthc, QStringLiteral("MONTH")},
                                                                        {f.millenium, QStringLiteral("MILLENIUM")},
                                                                        {f.century, QStringLiteral("CENTURY")},
                                                                        {f.decade, QStringLiteral("DECADE")},
                                                                        {f.yearc, QStringLiteral("YEAR")}}};
        for (const auto &[combo, title] : titled)
            QCOMPARE(spokenName(accessible(combo)), title);
        QCOMPARE(accessible(f.monthc)->text(QAccessible::Value), QStringLiteral("Jun"));
    }

    // "Tuesday, row 1" (the grid's row: "week" is the ISO week's word) and
    // then the day; only the day changes with the month.
    void dayCellsSayWeekdayAndRow()
    {
        testing::ProgramDoubles d;
        Form1 &f = rt::form<Form1>();
        f.setVisible(true);
        const QStringList weekdays{"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
        auto check = [&](const QStringList &days) {
            for (int n = 0; n < 42; ++n) {
                QAccessibleInterface *cell = accessible(f.text1[static_cast<std::size_t>(n)]);
                QCOMPARE(cell->role(), QAccessible::EditableText);
                QCOMPARE(cell->text(QAccessible::Name),
                         QStringLiteral("%1, row %2").arg(weekdays[n % 7]).arg(n / 7 + 1));
                QCOMPARE(cell->text(QAccessible::Value), days[n]);
            }
        };
        QStringList june2026(42); // starts on a Monday
        for (int day = 1; day <= 30; ++day)
            june2026[day - 1] = QString::number(day);
        check(june2026);

        // A drawing never tells the screen reader of new names.
        static int nameChanges = 0;
        nameChanges = 0;
        QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
            if (event->type() == QAccessible::NameChanged)
                ++nameChanges;
        });
        f.monthc->setListIndex(1); // February 2026: Sunday the 1st
        f.go->click();
        QAccessible::installUpdateHandler(nullptr);
        QCOMPARE(nameChanges, 0);
        QStringList february2026(42);
        for (int day = 1; day <= 28; ++day)
            february2026[day + 5] = QString::number(day);
        check(february2026);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
