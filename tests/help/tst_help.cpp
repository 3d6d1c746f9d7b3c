// The help on what has the focus: F1 in the calendar window and its frame,
// the Help of the grid's menu, and the help window over the pages compiled
// into the program. Keys are typed at the control with the focus.
#include "browser/frmbrowser.h"
#include "calendar/form1.h"
#include "calendarcells.h"
#include "help/helpwindow.h"
#include "shell/mdiform1.h"
#include "webdouble.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>
#include <QWindow>

namespace {

QWidget *frameWindow()
{
    return rt::form<MDIForm1>().window();
}

QWidget *control(Form1 &f, const QString &name)
{
    if (name == QStringLiteral("go"))
        return f.go;
    if (name.startsWith(QStringLiteral("text1")))
        return f.text1[static_cast<std::size_t>(name.mid(6).chopped(1).toInt())];
    return f.client()->findChild<rt::ComboBox *>(name);
}

// The frame active again, as a click on it makes it. Asked of its window:
// activateWindow() takes the frame for active already while its help is.
void backToCalendar()
{
    frameWindow()->windowHandle()->requestActivate();
    QTRY_COMPARE(QApplication::activeWindow(), frameWindow());
}

// F1 where the focus is, in the active frame; the help window it shows.
HelpWindow *pressF1()
{
    QWidget *focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : frameWindow(), Qt::Key_F1);
    HelpWindow *help = HelpWindow::of(frameWindow());
    if (help && !help->isVisible())
        return nullptr;
    return help;
}

HelpWindow *pressF1On(QWidget *control)
{
    control->setFocus();
    if (!control->hasFocus())
        return nullptr;
    return pressF1();
}

// Its page from the program's resources, scrolled to the part the address
// names: a name the page lacks would leave it at its top.
void verifyShows(const HelpWindow &help, const QString &page)
{
    QCOMPARE(help.page(), page);
    QVERIFY2(help.pages()->documentTitle().startsWith(QStringLiteral("TEMPORIA - ")),
             qPrintable(help.pages()->documentTitle()));
    QCOMPARE(help.pages()->verticalScrollBar()->value() > 0, page.contains(QLatin1Char('#')));
}

// The frame and the calendar as they were: nothing of the closing chain.
void verifyCalendarStays(const testing::ProgramDoubles &d, const Form1 &f)
{
    QVERIFY(rt::isLoaded<MDIForm1>());
    QVERIFY(f.Visible());
    QVERIFY(frameWindow()->isVisible());
    QVERIFY(!rt::isLoaded<frmBrowser>());
    QVERIFY(d.endings.empty());
}

void closeHelp(HelpWindow *help, const QString &how)
{
    if (how == QStringLiteral("Esc"))
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    else if (how == QStringLiteral("Ctrl+W"))
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::ControlModifier);
    else
        help->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList links(const QTextDocument &page)
{
    QStringList hrefs;
    for (QTextBlock block = page.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QString href = it.fragment().charFormat().anchorHref();
            if (!href.isEmpty() && !hrefs.contains(href))
                hrefs << href;
        }
    }
    return hrefs;
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { rt::installFonts(); }

    // Nothing of the help is made before the first F1.
    void f1OpensThePageAboutTheFocus_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("page");
        QTest::newRow("month selector") << "monthc" << 2026 << 6 << "calendar.html";
        QTest::newRow("digit selector") << "decade" << 2026 << 6 << "calendar.html";
        QTest::newRow("button") << "go" << 2026 << 6 << "calendar.html#button";
        QTest::newRow("cell") << "text1(10)" << 2026 << 6 << "calendar.html#grid";
        QTest::newRow("cell that takes notes") << "text1(25)" << 2000 << 3 << "calendar.html#grid";
        QTest::newRow("cell, March 3200") << "text1(3)" << 3200 << 3 << "leap.html#difference";
        QTest::newRow("cell, February 0") << "text1(3)" << 0 << 2 << "leap.html#difference";
        QTest::newRow("cell, January 3200") << "text1(3)" << 3200 << 1 << "calendar.html#grid";
        QTest::newRow("frame, the calendar put away") << "frame" << 2026 << 6 << "index.html";
    }
    void f1OpensThePageAboutTheFocus()
    {
        QFETCH(QString, focus);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(QString, page);
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        f.showMonth(year, month);
        for (QWidget *w : QApplication::allWidgets())
            QVERIFY2(!qobject_cast<QTextBrowser *>(w) && !qobject_cast<HelpWindow *>(w), "help made ahead");

        HelpWindow *help = nullptr;
        if (focus == QStringLiteral("frame")) {
            QWidget *viewport = rt::form<MDIForm1>().area()->viewport();
            QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(viewport->width() - 5, viewport->height() - 5));
            QCOMPARE(f.WindowState(), rt::WindowState::Minimised);
            help = pressF1();
        } else {
            help = pressF1On(control(f, focus));
        }
        QVERIFY(help);
        verifyShows(*help, page);
        verifyCalendarStays(d, f);
    }

    void closingHelpLeavesTheCalendar_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Esc") << "Esc";
        QTest::newRow("Ctrl+W") << "Ctrl+W";
        QTest::newRow("close box") << "close box";
    }
    void closingHelpLeavesTheCalendar()
    {
        QFETCH(QString, how);
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        QPointer<HelpWindow> help = pressF1On(f.go);
        QVERIFY(help);
        QTRY_COMPARE(QApplication::activeWindow(), help);
        closeHelp(help, how);
        QVERIFY(!help);
        verifyCalendarStays(d, f);

        // And comes again on the next F1.
        backToCalendar();
        QVERIFY(pressF1On(f.text1[8]));
    }

    // Back in the calendar, F1 brings the same window to the front on the
    // new page.
    void secondF1ReusesTheWindow()
    {
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        QPointer<HelpWindow> first = pressF1On(f.text1[10]);
        QVERIFY(first);
        QTRY_COMPARE(QApplication::activeWindow(), first);

        backToCalendar();
        HelpWindow *second = pressF1On(f.go);
        QCOMPARE(second, first.data());
        QCOMPARE(frameWindow()->findChildren<HelpWindow *>().size(), 1);
        verifyShows(*second, QStringLiteral("calendar.html#button"));
        QTRY_COMPARE(QApplication::activeWindow(), second);
    }

    // From a cell and from a weekday header, after what the month offers.
    void gridMenuOffersHelp()
    {
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        for (QWidget *target : {static_cast<QWidget *>(f.text1[10]), static_cast<QWidget *>(f.Label1[2])}) {
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), target->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(target, &event);
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QAction *help = menu->actions().constLast();
            QCOMPARE(help->text(), QStringLiteral("&Help"));
            QCOMPARE(help->shortcut(), QKeySequence(Qt::Key_F1));
            help->trigger();
            menu->close();
            HelpWindow *window = HelpWindow::of(frameWindow());
            QVERIFY(window && window->isVisible());
            verifyShows(*window, QStringLiteral("keys.html#menu"));
            verifyCalendarStays(d, f);
        }
    }

    // The chain runs as before, and the help goes with the frame.
    void closingTheFrameWithHelpOpen()
    {
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        QPointer<HelpWindow> help = pressF1On(f.text1[10]);
        QVERIFY(help);
        frameWindow()->close();
        QVERIFY(!rt::isLoaded<MDIForm1>());
        QVERIFY(rt::form<frmBrowser>().Visible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!help);
        QVERIFY(d.endings.empty());
    }

    // Tab to the first link (the welcome page), Enter, then back and forward.
    void linksAndHistoryByKey()
    {
        testing::ProgramDoubles d;
        Form1 &f = testing::shownCalendar();
        HelpWindow *help = pressF1On(f.monthc);
        QVERIFY(help);
        QTRY_COMPARE(QApplication::activeWindow(), help);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        verifyShows(*help, QStringLiteral("index.html"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left, Qt::AltModifier);
        verifyShows(*help, QStringLiteral("calendar.html"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::AltModifier);
        verifyShows(*help, QStringLiteral("index.html"));
    }

    // Every link of every page leads to a page of the site.
    void linksLeadToPages()
    {
        QWidget owner;
        const QStringList pages{"index.html", "calendar.html", "leap.html", "keys.html"};
        for (const QString &page : pages) {
            HelpWindow &help = HelpWindow::open(&owner, page);
            const QStringList hrefs = links(*help.pages()->document());
            QVERIFY2(!hrefs.isEmpty(), qPrintable(page));
            for (const QString &href : hrefs) {
                HelpWindow::open(&owner, href);
                QVERIFY2(help.pages()->documentTitle().startsWith(QStringLiteral("TEMPORIA - ")),
                         qPrintable(page + QStringLiteral(" links to ") + href));
                QVERIFY2(pages.contains(help.page().section(QLatin1Char('#'), 0, 0)), qPrintable(href));
            }
        }
    }

    // An option on the keys page stays on one line at any width, in the
    // help's renderer; and the page asks every renderer for that (its block
    // is unbreakable: white-space: nowrap).
    void optionsNeverBreak()
    {
        QWidget owner;
        QTextDocument &page = *HelpWindow::open(&owner, QStringLiteral("keys.html")).pages()->document();
        const QRegularExpression option(QStringLiteral("(?<![\\w-])--?[a-z0-9][a-z0-9-]*"));
        int options = 0;
        for (const qreal width : {200.0, 320.0, 480.0, 800.0}) {
            page.setTextWidth(width);
            for (QTextBlock block = page.begin(); block.isValid(); block = block.next()) {
                const QTextLayout *layout = block.layout();
                for (const QRegularExpressionMatch &m : option.globalMatch(block.text())) {
                    ++options;
                    const QString where = QStringLiteral("%1 at %2").arg(m.captured()).arg(width);
                    QVERIFY2(block.blockFormat().nonBreakableLines(), qPrintable(where));
                    QVERIFY2(layout->lineForTextPosition(static_cast<int>(m.capturedStart())).lineNumber()
                                 == layout->lineForTextPosition(static_cast<int>(m.capturedEnd() - 1)).lineNumber(),
                             qPrintable(where));
                }
            }
        }
        QVERIFY(options > 0);
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
