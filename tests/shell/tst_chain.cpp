// The chain of windows on the manual clock, with a page view double: from the
// splash, through the frame and the site browser, to the About window and
// the program's end; and what happens to the chain while the frame stays.
// The splash's own timeline and the frame's slideshow have tests of their own.
#include "about/frmabout.h"
#include "browser/frmbrowser.h"
#include "calendar/form1.h"
#include "doubles.h"
#include "shell/frmsplash.h"
#include "shell/mdiform1.h"
#include "webdouble.h"

#include <QPointer>
#include <QTest>

namespace {

bool showsPhoto(MDIForm1 &frame, std::size_t index)
{
    return frame.backgroundPicture().cacheKey() == frame.Picture1[index].Picture().cacheKey();
}

// The user's close box on a window.
void closeBox(rt::Form &form)
{
    QVERIFY(form.window()->isVisible());
    form.window()->close();
}

void pressOK(frmAbout &about)
{
    QTest::mouseClick(about.cmdOK, Qt::LeftButton);
}

// The frame and the calendar on the manual clock's time 0, as the splash
// leaves them.
void startFrame()
{
    rt::form<Form1>().setVisible(true);
    QVERIFY(rt::form<MDIForm1>().Visible());
}

// With the frame running: the calendar unloaded, the browser it opens closed;
// the About window is then shown.
void calendarAndBrowserClosed(testing::ProgramDoubles &d, std::size_t browsersBefore)
{
    rt::form<Form1>().Unload();
    QVERIFY(!rt::isLoaded<Form1>());
    QVERIFY(rt::isLoaded<frmBrowser>());
    QCOMPARE(d.web.made.size(), browsersBefore + 1);
    d.web.last()->finishLoad();
    closeBox(rt::form<frmBrowser>());
    QVERIFY(!rt::isLoaded<frmBrowser>());
    QVERIFY(rt::isLoaded<frmAbout>());
    QVERIFY(rt::form<frmAbout>().Visible());
}

} // namespace

class TestChain : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { rt::installFonts(); }

    // The usual course, started the way the program starts: each window
    // opens once, in order, and the end comes with the About window's OK and
    // not before.
    void wholeChainToTheEnd()
    {
        testing::ProgramDoubles d;
        rt::form<frmSplash>().setVisible(true);
        d.clock.advance(5000);
        QVERIFY(!rt::isLoaded<frmSplash>());
        QVERIFY(rt::form<Form1>().Visible());

        closeBox(rt::form<MDIForm1>());
        QVERIFY(!rt::isLoaded<MDIForm1>());
        QVERIFY(!rt::isLoaded<Form1>());
        QVERIFY(rt::form<frmBrowser>().Visible());
        QCOMPARE(d.web.made.size(), std::size_t(1));
        QCOMPARE(d.web.last()->requests, QStringList{frmBrowser::homeAddress});
        d.web.last()->finishLoad();
        d.clock.advance(5);
        QVERIFY(!rt::isLoaded<frmAbout>());

        closeBox(rt::form<frmBrowser>());
        QVERIFY(!rt::isLoaded<frmBrowser>());
        frmAbout &about = rt::form<frmAbout>();
        QVERIFY(about.Visible());
        QCOMPARE(rt::Forms::loaded(), std::vector<rt::Form *>{&about});
        QVERIFY(d.endings.empty());

        pressOK(about);
        QVERIFY(rt::Forms::loaded().empty());
        QCOMPARE(d.endings, std::vector<int>{0});
        // Nothing is left to fire after the end, and nothing reloads.
        QCOMPARE(d.clock.activeTimers(), 0);
        d.clock.advance(100000);
        QVERIFY(rt::Forms::loaded().empty());
        QCOMPARE(d.endings, std::vector<int>{0});
        QCOMPARE(d.web.made.size(), std::size_t(1));
        QVERIFY(d.messages.shown.empty());
    }

    // While the frame is open the program goes on, whatever happens to the
    // browser and the About window; the calendar comes back at the frame's
    // next tick, on the month of that day.
    void calendarReturnsWhileTheFrameStays()
    {
        testing::ProgramDoubles d;
        startFrame();
        MDIForm1 &frame = rt::form<MDIForm1>();
        d.clock.advance(7000);

        calendarAndBrowserClosed(d, 0);
        pressOK(rt::form<frmAbout>());
        QVERIFY(!rt::isLoaded<frmAbout>());
        QVERIFY(d.endings.empty());
        QVERIFY(frame.Visible());

        d.date.date = QDate(2027, 2, 1); // a Monday
        d.clock.advance(12999);
        QVERIFY(!rt::isLoaded<Form1>());
        QVERIFY(showsPhoto(frame, 3));
        d.clock.advance(1);
        QVERIFY(showsPhoto(frame, 0));
        Form1 &calendar = rt::form<Form1>();
        QVERIFY(calendar.Visible());
        QCOMPARE(calendar.monthc->Text(), QStringLiteral("February"));
        QCOMPARE(calendar.millenium->ListIndex(), 2);
        QCOMPARE(calendar.decade->ListIndex(), 2);
        QCOMPARE(calendar.yearc->ListIndex(), 7);
        QCOMPARE(calendar.text1[0]->Text(), QStringLiteral("1"));
        QCOMPARE(calendar.text1[27]->Text(), QStringLiteral("28"));
        QCOMPARE(calendar.text1[28]->Text(), QString());
        // Neither the browser nor the About window came back with it.
        QVERIFY(!rt::isLoaded<frmBrowser>());
        QVERIFY(!rt::isLoaded<frmAbout>());
        QCOMPARE(d.web.made.size(), std::size_t(1));
        QVERIFY(d.endings.empty());
        QVERIFY(d.messages.shown.empty());
    }

    // A second browser closing reaches the About window through its default
    // instance: a fresh one if the first was closed, else the same one, shown
    // as it stands.
    void secondBrowserReachesAbout_data()
    {
        QTest::addColumn<bool>("aboutClosedFirst");
        QTest::newRow("About closed before") << true;
        QTest::newRow("About still open") << false;
    }

    void secondBrowserReachesAbout()
    {
        QFETCH(bool, aboutClosedFirst);
        testing::ProgramDoubles d;
        startFrame();
        calendarAndBrowserClosed(d, 0);
        QPointer<frmAbout> first = &rt::form<frmAbout>();
        // Form_Load writes the version; a fresh window shows it again.
        first->lblVersion->setCaption(QStringLiteral("left as it was"));
        if (aboutClosedFirst) {
            pressOK(*first);
            QVERIFY(!rt::isLoaded<frmAbout>());
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        d.clock.advance(20000);
        calendarAndBrowserClosed(d, 1);
        frmAbout &about = rt::form<frmAbout>();
        if (aboutClosedFirst) {
            QVERIFY(!first);
            QCOMPARE(about.lblVersion->Caption(), QStringLiteral("Version 1.0.0"));
            QCOMPARE(about.Caption(), QStringLiteral("About TEMPORIA"));
        } else {
            QCOMPARE(&about, first.data());
            QCOMPARE(about.lblVersion->Caption(), QStringLiteral("left as it was"));
        }
        QCOMPARE(std::count(rt::Forms::loaded().begin(), rt::Forms::loaded().end(), &about), 1);

        pressOK(about);
        QVERIFY(!rt::isLoaded<frmAbout>());
        QVERIFY(rt::form<MDIForm1>().Visible());
        QVERIFY(d.endings.empty());
        QVERIFY(d.messages.shown.empty());
    }
};

QTEST_MAIN(TestChain)
#include "tst_chain.moc"
