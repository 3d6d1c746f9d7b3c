// The start-up on the manual clock: the splash window, what closes it, and
// the main frame and calendar that take its place.
#include "calendar/form1.h"
#include "doubles.h"
#include "resourcenames.h"
#include "shell/frmsplash.h"
#include "shell/mdiform1.h"
#include "shell/startup.h"
#include "standin.h"
#include "webdouble.h"

#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <QWindow>

#include <map>

namespace {

// Each window's load shows in a seam it uses once per load: the calendar asks
// for today's date, and the splash, the frame and the calendar (for today's
// mark at midnight) each start one timer.
struct CountingDate final : rt::DateSource {
    const rt::DateSource &inner;
    mutable int asked = 0;
    explicit CountingDate(const rt::DateSource &d)
        : inner(d)
    {
    }
    QDate today() const override
    {
        ++asked;
        return inner.today();
    }
    std::int64_t msecsToMidnight() const override { return inner.msecsToMidnight(); }
};

struct CountingClock final : rt::Clock {
    rt::Clock &inner;
    int timers = 0;
    explicit CountingClock(rt::Clock &c)
        : inner(c)
    {
    }
    std::unique_ptr<rt::TimerBackend> createTimer(std::function<void()> fire) override
    {
        ++timers;
        return inner.createTimer(std::move(fire));
    }
};

// The program as started, on the manual clock, on 15 June 2026 (a Monday is
// the 1st, so the calendar's first cell reads "1").
class StartUp {
public:
    testing::Doubles doubles;
    CountingDate date{doubles.date};
    CountingClock clock{doubles.clock};

    explicit StartUp(bool showSplash = true)
        : m_scope(rt::services(), rt::withRealServices(counted()))
        , m_splashTimers(showSplash ? 1 : 0)
    {
        if (showSplash)
            startWindows(StartOptions{});
    }

    [[nodiscard]] static frmSplash &splash() { return rt::form<frmSplash>(); }
    [[nodiscard]] static bool splashLoaded() { return rt::isLoaded<frmSplash>(); }

    // Where the user sees the splash's controls, in its window's coordinates.
    [[nodiscard]] static QPoint at(QWidget *control, QPoint local) { return control->mapTo(splash().window(), local); }
    [[nodiscard]] static QPoint centreOf(QWidget *control) { return at(control, control->rect().center()); }

    static void click(QPoint windowPos)
    {
        QTest::mouseClick(splash().window()->windowHandle(), Qt::LeftButton, {}, windowPos);
    }

    // The state right after the splash closed: the frame maximised with
    // photograph 3, the calendar in it on this month, each loaded once.
    void verifyTookOver()
    {
        QVERIFY(!splashLoaded());
        QVERIFY(rt::isLoaded<MDIForm1>());
        QVERIFY(rt::isLoaded<Form1>());
        MDIForm1 &frame = rt::form<MDIForm1>();
        Form1 &calendar = rt::form<Form1>();
        QVERIFY(frame.Visible());
        QCOMPARE(frame.WindowState(), rt::WindowState::Maximised);
        QCOMPARE(frame.backgroundPicture().cacheKey(), frame.Picture1[3].Picture().cacheKey());
        QVERIFY(calendar.Visible());
        QCOMPARE(calendar.monthc->ListIndex(), 5);
        QCOMPARE(calendar.millenium->ListIndex(), 2);
        QCOMPARE(calendar.century->ListIndex(), 0);
        QCOMPARE(calendar.decade->ListIndex(), 2);
        QCOMPARE(calendar.yearc->ListIndex(), 6);
        QCOMPARE(calendar.text1[0]->text(), QStringLiteral("1"));
        QCOMPARE(calendar.text1[29]->text(), QStringLiteral("30"));
        verifyLoadedOnce();
    }

    void verifyLoadedOnce()
    {
        QCOMPARE(date.asked, 1);
        QCOMPARE(clock.timers, m_splashTimers + 2);
        QCOMPARE(rt::Forms::loaded().size(), std::size_t{2});
        QVERIFY(doubles.endings.empty());
    }

private:
    rt::Services counted()
    {
        rt::Services s = rt::services();
        s.date = &date;
        s.clock = &clock;
        return s;
    }

    testing::StandIn<rt::Services> m_scope;
    int m_splashTimers;
};

} // namespace

class TestFrmSplash : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // As the program starts.
        rt::installFonts();
        rt::installStyle();
        rt::setProgramIcon(resourcenames::programIcon);
    }

    // Reading an image without naming its format makes Qt load every image
    // plugin (and the libraries behind them) to ask it. The splash's own
    // pictures are read by name, and the calendar window's title-bar button
    // pictures only when shown, so none is loaded until the frame is up.
    void loadsNoImagePlugin()
    {
#if defined(Q_OS_LINUX)
        auto imagePluginMapped = [] {
            QFile maps(QStringLiteral("/proc/self/maps"));
            return !maps.open(QIODevice::ReadOnly) || maps.readAll().contains("/imageformats/");
        };
        StartUp s;
        QVERIFY(StartUp::splash().window()->isVisible());
        QVERIFY2(!imagePluginMapped(), "an image plugin was loaded for the splash");
        s.doubles.clock.advance(5000);
        s.verifyTookOver();
        QVERIFY2(!imagePluginMapped(), "an image plugin was loaded for the frame or the calendar");
#else
        QSKIP("reads the process's mappings from /proc");
#endif
    }

    void startsCentredWithTheTitle()
    {
        StartUp s;
        frmSplash &splash = StartUp::splash();
        QWidget *window = splash.window();
        QVERIFY(window->isVisible());
        // The client area as designed, 7380 x 4245 twips, inside a thin border.
        QCOMPARE(splash.client()->size(), QSize(492, 283));
        QVERIFY(window->width() - 492 <= 6 && window->width() > 492);
        QVERIFY(window->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(window->windowType(), Qt::Tool);
        const QPoint offset = window->frameGeometry().center() - QGuiApplication::primaryScreen()->geometry().center();
        QVERIFY2(offset.manhattanLength() <= 2,
                 qPrintable(QStringLiteral("off centre by %1,%2").arg(offset.x()).arg(offset.y())));
        QCOMPARE(splash.lblProductName->text(), QStringLiteral("TEMPORIA"));
        QCOMPARE(splash.lblProductName->size(), splash.lblProductName->sizeHint());
    }

    // The logo is the icon's 32 x 32 image in 16 colours, drawn stretched to
    // the control; the icon itself holds it and the 16 x 16 one.
    void logoAndIcon()
    {
        StartUp s;
        const rt::ImageControl *logo = StartUp::splash().imgLogo;
        QCOMPARE(logo->size(), QSize(49, 71));
        QVERIFY(logo->Stretch());
        const QImage picture = logo->Picture().toImage();
        QCOMPARE(picture.size(), QSize(32, 32));
        QSet<QRgb> colours;
        int clear = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb p = picture.pixel(x, y);
                if (qAlpha(p) == 0)
                    ++clear;
                else
                    colours.insert(p);
            }
        }
        QVERIFY(colours.size() > 2 && colours.size() <= 16);
        QVERIFY(clear > 0);

        const QList<QSize> sizes = QIcon(QStringLiteral(":/icons/temporia.ico")).availableSizes();
        QVERIFY(sizes.contains(QSize(32, 32)));
        QVERIFY(sizes.contains(QSize(16, 16)));
    }

    void startUpTimeline()
    {
        StartUp s;
        s.doubles.clock.advance(4999);
        QVERIFY(StartUp::splashLoaded());
        QVERIFY(StartUp::splash().Visible());
        QVERIFY(!rt::isLoaded<MDIForm1>());
        QVERIFY(!rt::isLoaded<Form1>());

        s.doubles.clock.advance(1);
        s.verifyTookOver();

        // The slideshow counts from the frame's load at 5 s.
        MDIForm1 &frame = rt::form<MDIForm1>();
        s.doubles.clock.advance(19999);
        QCOMPARE(frame.backgroundPicture().cacheKey(), frame.Picture1[3].Picture().cacheKey());
        s.doubles.clock.advance(1);
        QCOMPARE(frame.backgroundPicture().cacheKey(), frame.Picture1[0].Picture().cacheKey());
        QVERIFY(rt::form<Form1>().Visible());
        s.verifyLoadedOnce();
    }

    // The window system may take a while to put the splash on the screen:
    // its five seconds count from then, not from its load.
    void fiveSecondsOnTheScreen()
    {
        StartUp s;
        QWindow *window = StartUp::splash().window()->windowHandle();
        QVERIFY(!window->isExposed());
        s.doubles.clock.advance(700);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        s.doubles.clock.advance(4999);
        QVERIFY(StartUp::splashLoaded());
        QVERIFY(StartUp::splash().Visible());
        s.doubles.clock.advance(1);
        s.verifyTookOver();
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("letter") << int(Qt::Key_A) << true;
        QTest::newRow("digit") << int(Qt::Key_7) << true;
        QTest::newRow("space") << int(Qt::Key_Space) << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << true;
        QTest::newRow("Shift") << int(Qt::Key_Shift) << false;
        QTest::newRow("Control") << int(Qt::Key_Control) << false;
        QTest::newRow("F1") << int(Qt::Key_F1) << false;
        QTest::newRow("F5") << int(Qt::Key_F5) << false;
        QTest::newRow("arrow") << int(Qt::Key_Left) << false;
    }

    void keys()
    {
        QFETCH(int, key);
        QFETCH(bool, closes);
        StartUp s;
        QTest::keyClick(StartUp::splash().window()->windowHandle(), static_cast<Qt::Key>(key));
        if (closes) {
            s.verifyTookOver();
        } else {
            QVERIFY(StartUp::splashLoaded());
            QVERIFY(!rt::isLoaded<Form1>());
        }
        // Either way the timer changes nothing more, or closes it at 5 s.
        s.doubles.clock.advance(5000);
        s.verifyTookOver();
    }

    void clicks_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("closes");
        QTest::newRow("frame surface") << QStringLiteral("frame") << true;
        QTest::newRow("product label") << QStringLiteral("lblProductName") << false;
        QTest::newRow("maker label") << QStringLiteral("lblCompanyProduct") << false;
        QTest::newRow("blank label") << QStringLiteral("lblLicenseTo") << false;
        QTest::newRow("notice label") << QStringLiteral("lblWarning") << false;
        QTest::newRow("logo") << QStringLiteral("imgLogo") << false;
        QTest::newRow("margin") << QStringLiteral("margin") << false;
    }

    void clicks()
    {
        QFETCH(QString, where);
        QFETCH(bool, closes);
        StartUp s;
        frmSplash &splash = StartUp::splash();
        QPoint pos;
        if (where == QLatin1String("frame")) {
            // Left of the notices, below the logo: nothing else is there.
            const QPoint local(12, 200);
            QVERIFY(!splash.Frame1->childAt(local));
            pos = StartUp::at(splash.Frame1, local);
        } else if (where == QLatin1String("margin")) {
            pos = splash.client()->mapTo(splash.window(), QPoint(3, 140));
            QVERIFY(!splash.Frame1->geometry().contains(splash.client()->mapFrom(splash.window(), pos)));
        } else {
            const std::map<QString, QWidget *> controls{
                {QStringLiteral("lblProductName"), splash.lblProductName},
                {QStringLiteral("lblCompanyProduct"), splash.lblCompanyProduct},
                {QStringLiteral("lblLicenseTo"), splash.lblLicenseTo},
                {QStringLiteral("lblWarning"), splash.lblWarning},
                {QStringLiteral("imgLogo"), splash.imgLogo},
            };
            pos = StartUp::centreOf(controls.at(where));
        }
        StartUp::click(pos);
        if (closes) {
            s.verifyTookOver();
        } else {
            QVERIFY(StartUp::splashLoaded());
            QVERIFY(StartUp::splash().Visible());
            QVERIFY(!rt::isLoaded<Form1>());
        }
    }

    // A key press and the timer's event in the same turn of the event loop,
    // in either order: only the first reaches the splash.
    void keyAndTimerTogether_data()
    {
        QTest::addColumn<bool>("keyFirst");
        QTest::newRow("key, then timer") << true;
        QTest::newRow("timer, then key") << false;
    }

    void keyAndTimerTogether()
    {
        QFETCH(bool, keyFirst);
        StartUp s;
        s.doubles.clock.advance(4999);
        QWidget *window = StartUp::splash().window();
        auto press = [window] {
            QCoreApplication::postEvent(
                window, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
        };
        if (keyFirst) {
            press();
            QCoreApplication::sendPostedEvents();
            s.doubles.clock.advance(1);
        } else {
            s.doubles.clock.advance(1);
            press();
            QCoreApplication::sendPostedEvents();
        }
        s.verifyTookOver();
    }

    // While the splash waits for the person, the frame's first photograph is
    // decoded ahead, and the frame takes it when it loads; the frame and the
    // calendar still load only when the splash goes, and a key at once works.
    void splashSecondsPrepareTheFrame_data()
    {
        QTest::addColumn<bool>("idle");
        QTest::newRow("key once the program has idled") << true;
        QTest::newRow("key at once") << false;
    }

    void splashSecondsPrepareTheFrame()
    {
        QFETCH(bool, idle);
        StartUp s;
        QVERIFY(QTest::qWaitForWindowExposed(StartUp::splash().window()));
        if (idle) {
            rt::runIdleJobs();
            QVERIFY(rt::isPicturePrepared(resourcenames::photograph(3)));
        }
        QVERIFY(!rt::isLoaded<MDIForm1>());
        QVERIFY(!rt::isLoaded<Form1>());
        QCOMPARE(s.date.asked, 0);
        QTest::keyClick(StartUp::splash().window()->windowHandle(), Qt::Key_A);
        s.verifyTookOver();
        QVERIFY(!rt::isPicturePrepared(resourcenames::photograph(3)));
    }

    // The frame and the calendar each load once, whichever is asked for first.
    void loadOrder_data()
    {
        QTest::addColumn<bool>("calendarFirst");
        QTest::newRow("calendar first (the splash's way)") << true;
        QTest::newRow("frame first") << false;
    }

    void loadOrder()
    {
        QFETCH(bool, calendarFirst);
        StartUp s(false);
        if (calendarFirst)
            rt::form<Form1>().setVisible(true);
        else
            rt::form<MDIForm1>().setVisible(true);
        s.verifyTookOver();
    }
};

QTEST_MAIN(TestFrmSplash)
#include "tst_frmsplash.moc"
