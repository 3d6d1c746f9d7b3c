#include "doubles.h"
#include "runtime.h"

#include <QApplication>
#include <QCloseEvent>
#include <QStyleFactory>
#include <QTest>

#include <memory>

namespace {

// What the test forms did, in order.
QStringList journal;

class Plain : public rt::Form {
public:
    std::int16_t cancel = 0;
    int resizes = 0;

protected:
    void createControls() override { setClientSize(3000, 2000); }
    void Form_Load() override { journal << QStringLiteral("Plain load"); }
    void Form_Unload(std::int16_t &Cancel) override
    {
        journal << QStringLiteral("Plain unload");
        Cancel = cancel;
    }
    void Form_Resize() override { ++resizes; }
};

// Sees the keys pressed in its window first; its control takes none.
class Previewing : public rt::Form {
public:
    QWidget *control = nullptr;
    QStringList keys;

protected:
    void createControls() override
    {
        setClientSize(3000, 2000);
        setKeyPreview(true);
        control = new QWidget(client());
        control->setFocusPolicy(Qt::StrongFocus);
    }
    void Form_KeyPress(std::int16_t &KeyAscii) override { keys << QString(QChar(KeyAscii)); }
};

class Frame;

class Child : public rt::Form {
public:
    std::int16_t cancel = 0;

protected:
    void createControls() override { setClientSize(1500, 1500); }
    void Form_Load() override { journal << QStringLiteral("Child load"); }
    void Form_Unload(std::int16_t &Cancel) override
    {
        journal << QStringLiteral("Child unload");
        Cancel = cancel;
    }
    rt::MdiForm *mdiFrame() override;
};

class Frame : public rt::MdiForm {
protected:
    void createControls() override {}
    void Form_Load() override
    {
        journal << QStringLiteral("Frame load");
        rt::form<Child>().setVisible(true);
    }
    void Form_Unload(std::int16_t &) override { journal << QStringLiteral("Frame unload"); }
};

rt::MdiForm *Child::mdiFrame()
{
    return &rt::form<Frame>();
}

} // namespace

class TestRuntime : public QObject {
    Q_OBJECT
private slots:
    void init() { journal.clear(); }

    void referenceLoadsOnceAndUnloadMakesAFreshInstance()
    {
        testing::Doubles d;
        Plain *first = &rt::form<Plain>();
        QCOMPARE(&rt::form<Plain>(), first);
        QVERIFY(!first->Visible()); // loaded by reference, not shown
        first->setVisible(true);
        QVERIFY(first->window()->isVisible());
        QCOMPARE(journal, QStringList{QStringLiteral("Plain load")});

        first->Unload();
        QVERIFY(!rt::isLoaded<Plain>());
        QCOMPARE(d.endings, std::vector<int>{0}); // no form left: the program ends
        rt::form<Plain>();
        QCOMPARE(journal.count(QStringLiteral("Plain load")), 2);
    }

    void unloadCanBeCancelled()
    {
        testing::Doubles d;
        Plain &plain = rt::form<Plain>();
        plain.Show();
        plain.cancel = 1;
        plain.Unload();
        QVERIFY(rt::isLoaded<Plain>());
        QVERIFY(plain.Visible());
        QVERIFY(d.endings.empty());

        // The close box goes the same way.
        QCloseEvent close;
        QApplication::sendEvent(plain.window(), &close);
        QVERIFY(rt::isLoaded<Plain>());
        plain.cancel = 0;
        QApplication::sendEvent(plain.window(), &close);
        QVERIFY(!rt::isLoaded<Plain>());
        QCOMPARE(journal.count(QStringLiteral("Plain unload")), 3);
    }

    // A window with a minimise button stays minimised (one without comes back).
    void sizableWindowStaysMinimised()
    {
        testing::Doubles d;
        Plain &plain = rt::form<Plain>();
        plain.Show();
        plain.window()->showMinimized();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(plain.WindowState(), rt::WindowState::Minimised);
    }

    void hidingTheLastWindowDoesNotEndTheProgram()
    {
        testing::Doubles d;
        rt::form<Plain>().Show();
        rt::form<Plain>().setVisible(false);
        QVERIFY(d.endings.empty());
    }

    // Showing a child loads and shows its frame first; the frame's own
    // request to show the child, made while the child is still loading,
    // takes effect once it has loaded. Each loads once.
    void mdiChildLoadsItsFrameFirst()
    {
        testing::Doubles d;
        rt::form<Child>().setVisible(true);
        QCOMPARE(journal, (QStringList{QStringLiteral("Frame load"), QStringLiteral("Child load")}));
        QVERIFY(rt::form<Frame>().Visible());
        QVERIFY(rt::form<Child>().Visible());
        QCOMPARE(rt::form<Child>().window()->parentWidget()->parentWidget(), rt::form<Frame>().area());
    }

    void unloadingAFrameUnloadsItsChildrenFirst()
    {
        testing::Doubles d;
        rt::form<Child>().setVisible(true);
        rt::form<Child>().cancel = 1;
        rt::form<Frame>().Unload();
        QVERIFY(rt::isLoaded<Frame>()); // a child that refuses keeps its frame
        QVERIFY(rt::isLoaded<Child>());

        rt::form<Child>().cancel = 0;
        journal.clear();
        rt::form<Frame>().Unload();
        QCOMPARE(journal, (QStringList{QStringLiteral("Child unload"), QStringLiteral("Frame unload")}));
        QCOMPARE(d.endings, std::vector<int>{0});
    }

    // A key the control does not take travels on to its parents, the same
    // event each time: the form sees it once. A second press is a second
    // key, even as an event at the same place with the same time stamp.
    void keyPreviewSeesEachPressOnce()
    {
        testing::Doubles d;
        Previewing &form = rt::form<Previewing>();
        form.Show();
        for (int press = 0; press < 2; ++press) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
            QApplication::sendEvent(form.control, &key);
        }
        QCOMPARE(form.keys, (QStringList{QStringLiteral("a"), QStringLiteral("a")}));
    }

    void settingTheCurrentWindowStateRaisesNoResize()
    {
        testing::Doubles d;
        Plain &plain = rt::form<Plain>();
        plain.Show();
        plain.setWindowState(rt::WindowState::Maximised);
        QCoreApplication::processEvents();
        QCOMPARE(plain.WindowState(), rt::WindowState::Maximised);
        const int resizes = plain.resizes;
        QVERIFY(resizes > 0);
        plain.setWindowState(rt::WindowState::Maximised);
        QCoreApplication::processEvents();
        QCOMPARE(plain.resizes, resizes);
    }

    void uncaughtErrorIsShownAndEndsTheProgram()
    {
        testing::Doubles d;
        rt::dispatch([] { rt::raise(rt::err::FileNotFound); });
        QCOMPARE(d.messages.shown.size(), 1u);
        QCOMPARE(d.messages.shown[0].text, QStringLiteral("Run-time error '53':\n\nFile not found"));
        QCOMPARE(d.messages.shown[0].title, rt::App().Title);
        QCOMPARE(d.endings, std::vector<int>{1});
    }

    void errorStyles()
    {
        testing::Doubles d;
        QStringList ran;
        rt::resumeNext([&] { rt::raise(rt::err::InvalidProcedureCall); });
        rt::resumeNext([&] { ran << QStringLiteral("next"); });
        int caught = 0;
        rt::onErrorGoTo([&] { rt::raise(rt::err::Overflow); }, [&](const rt::RuntimeError &e) { caught = e.number(); });
        QCOMPARE(ran, QStringList{QStringLiteral("next")});
        QCOMPARE(caught, rt::err::Overflow);
        QVERIFY(d.messages.shown.empty());
    }

    void sixteenBitOverflowIsAnError()
    {
        QCOMPARE(rt::add16(32766, 1), std::int16_t{32767});
        QVERIFY_THROWS_EXCEPTION(rt::RuntimeError, (void)rt::add16(32767, 1));
        QVERIFY_THROWS_EXCEPTION(rt::RuntimeError, (void)rt::add16(-32768, -1));
    }

    void timerFiresEveryIntervalWhileEnabled()
    {
        testing::Doubles d;
        std::vector<std::int64_t> ticks;
        QObject owner;
        rt::Timer timer(&owner, 20000, true, [&] { ticks.push_back(d.clock.now()); });
        d.clock.advance(19999);
        QVERIFY(ticks.empty());
        d.clock.advance(40001);
        QCOMPARE(ticks, (std::vector<std::int64_t>{20000, 40000, 60000}));

        timer.setEnabled(false);
        d.clock.advance(100000);
        QCOMPARE(ticks.size(), 3u);
        timer.setEnabled(true); // one interval from being enabled again
        d.clock.advance(19999);
        QCOMPARE(ticks.size(), 3u);
        d.clock.advance(1);
        QCOMPARE(ticks.back(), 180000);
    }

    void noTimerEventAfterUnload()
    {
        testing::Doubles d;
        int ticks = 0;
        Plain &plain = rt::form<Plain>();
        new rt::Timer(&plain, 5, true, [&] { ++ticks; });
        plain.Unload();
        d.clock.advance(1000);
        QCOMPARE(ticks, 0);
    }

    // Typed text never becomes an item; text equal to an item selects it.
    void comboBoxSelection_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("listIndex");
        QTest::newRow("item") << QStringLiteral("March") << 2;
        QTest::newRow("other case") << QStringLiteral("mARCH") << 2;
        QTest::newRow("not an item") << QStringLiteral("Marchh") << -1;
        QTest::newRow("padded") << QStringLiteral(" March ") << -1;
        QTest::newRow("empty") << QString() << -1;
        QTest::newRow("non-Latin") << QStringLiteral("三月") << -1;
        QTest::newRow("long") << QString(10000, QLatin1Char('x')) << -1;
    }
    void comboBoxSelection()
    {
        QFETCH(QString, typed);
        QFETCH(int, listIndex);
        QWidget parent;
        rt::ComboBox combo(&parent);
        for (const char *m : {"January", "February", "March"})
            combo.AddItem(QString::fromLatin1(m));
        combo.setListIndex(0);
        combo.lineEdit()->selectAll();
        if (typed.isEmpty())
            QTest::keyClick(combo.lineEdit(), Qt::Key_Delete);
        else
            combo.lineEdit()->insert(typed);
        QTest::keyClick(combo.lineEdit(), Qt::Key_Return);
        QCOMPARE(combo.ListIndex(), listIndex);
        QCOMPARE(combo.ListCount(), 3);

        combo.setListIndex(1);
        QCOMPARE(combo.Text(), QStringLiteral("February"));
        combo.setListIndex(-1);
        QCOMPARE(combo.Text(), QString());
        QCOMPARE(combo.ListIndex(), -1);
    }

    // The program's style hands out title-bar pictures that are read only
    // when shown; shown, they are the platform style's own, at every size.
    void programStyleTitleBarPicturesAreThePlatformStyles()
    {
        std::unique_ptr<QStyle> platform(QStyleFactory::create(QApplication::style()->name()));
        rt::installStyle();
        rt::installStyle(); // a second call keeps the style it made
        QStyle *program = QApplication::style();
        for (const QStyle::StandardPixmap which :
             {QStyle::SP_TitleBarMinButton, QStyle::SP_TitleBarMaxButton, QStyle::SP_TitleBarNormalButton,
              QStyle::SP_TitleBarCloseButton, QStyle::SP_TitleBarMenuButton}) {
            const QIcon deferred = program->standardIcon(which);
            QVERIFY(!deferred.isNull());
            const QIcon own = platform->standardIcon(which);
            for (const int size : {16, 32}) {
                QCOMPARE(deferred.actualSize(QSize(size, size)), own.actualSize(QSize(size, size)));
                QCOMPARE(deferred.pixmap(size).toImage(), own.pixmap(size).toImage());
            }
        }
        // Other pictures come straight from the platform style.
        QCOMPARE(program->standardIcon(QStyle::SP_DialogOkButton).pixmap(16).toImage(),
                 platform->standardIcon(QStyle::SP_DialogOkButton).pixmap(16).toImage());
    }

    void storedColoursAreBlueGreenRed()
    {
        QCOMPARE(rt::color(0x00FF0000), QColor(0, 0, 255));
        QCOMPARE(rt::color(0x000000FF), QColor(255, 0, 0));
        QCOMPARE(rt::color(0x00C0C0C0), QColor(192, 192, 192));
    }
};

QTEST_MAIN(TestRuntime)
#include "tst_runtime.moc"
