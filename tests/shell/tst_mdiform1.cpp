#include "browser/frmbrowser.h"
#include "calendar/form1.h"
#include "doubles.h"
#include "resourcenames.h"
#include "shell/mdiform1.h"
#include "webdouble.h"

#include <QAbstractItemView>
#include <QFile>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPainter>
#include <QTest>
#include <QtEndian>

namespace {

MDIForm1 &startFrame()
{
    rt::form<Form1>().setVisible(true);
    return rt::form<MDIForm1>();
}

// Which of the four photographs the frame shows; -1 for none of them.
int shownPhoto(MDIForm1 &frame)
{
    for (int i = 0; i < 4; ++i) {
        if (frame.backgroundPicture().cacheKey() == frame.Picture1[static_cast<std::size_t>(i)].Picture().cacheKey())
            return i;
    }
    return -1;
}

// The photographs the frame holds decoded, and those being decoded ahead for it.
QList<int> decodedPhotos(const MDIForm1 &frame)
{
    QList<int> held;
    for (int i = 0; i < 4; ++i) {
        if (frame.Picture1[static_cast<std::size_t>(i)].isDecoded())
            held << i;
    }
    return held;
}

QList<int> preparedPhotos()
{
    QList<int> prepared;
    for (int i = 0; i < 4; ++i) {
        if (rt::isPicturePrepared(resourcenames::photograph(i)))
            prepared << i;
    }
    return prepared;
}

void clickBackground(MDIForm1 &frame)
{
    QWidget *viewport = frame.area()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(viewport->width() - 5, viewport->height() - 5));
}

} // namespace

class TestMdiForm1 : public QObject {
    Q_OBJECT
private slots:
    // The pictures are the holders' own objects, handed over without copying.
    void slideshowTimeline_data()
    {
        QTest::addColumn<int>("ms");
        QTest::addColumn<int>("photo");
        QTest::newRow("load") << 0 << 3;
        QTest::newRow("19.999 s") << 19999 << 3;
        QTest::newRow("20 s") << 20000 << 0;
        QTest::newRow("40 s") << 40000 << 1;
        QTest::newRow("60 s") << 60000 << 2;
        QTest::newRow("80 s") << 80000 << 3;
        QTest::newRow("100 s, 4 wraps to 0") << 100000 << 0;
        QTest::newRow("120 s") << 120000 << 1;
        QTest::newRow("one hour") << 3600000 << 3;
    }
    void slideshowTimeline()
    {
        QFETCH(int, ms);
        QFETCH(int, photo);
        testing::ProgramDoubles d;
        MDIForm1 &frame = startFrame();
        d.clock.advance(ms);
        QCOMPARE(shownPhoto(frame), photo);
        QVERIFY(rt::form<Form1>().Visible());
    }

    // Only the photograph on the screen is decoded when the frame loads, on
    // a worker thread while the frame and the calendar are made, and taken
    // when first drawn. The one due next is decoded ahead once the frame is
    // on the screen, in idle time, and taken at its tick; each is decoded once.
    void photographsDecodedWhenDue()
    {
        testing::ProgramDoubles d;
        MDIForm1 &frame = startFrame();
        QCOMPARE(decodedPhotos(frame) + preparedPhotos(), QList<int>{3});
        QVERIFY(QTest::qWaitForWindowExposed(frame.window()));
        QCOMPARE(decodedPhotos(frame), QList<int>{3});
        rt::runIdleJobs();
        QCOMPARE(preparedPhotos(), QList<int>{0});
        QCOMPARE(decodedPhotos(frame), QList<int>{3});

        const QList<QList<int>> decodedAfterTick{{0, 3}, {0, 1, 3}, {0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 2, 3}};
        for (int tick = 0; tick < 5; ++tick) {
            const int shown = tick % 4;
            const qint64 expected = frame.Picture1[static_cast<std::size_t>(shown)].isDecoded()
                                        ? frame.Picture1[static_cast<std::size_t>(shown)].Picture().cacheKey()
                                        : 0;
            d.clock.advance(20000);
            QVERIFY(preparedPhotos().isEmpty());
            QCOMPARE(decodedPhotos(frame), decodedAfterTick[tick]);
            QCOMPARE(frame.backgroundPicture().cacheKey(),
                     frame.Picture1[static_cast<std::size_t>(shown)].Picture().cacheKey());
            if (expected != 0) // shown before: the same picture object again
                QCOMPARE(frame.backgroundPicture().cacheKey(), expected);
            rt::runIdleJobs();
            QCOMPARE(preparedPhotos(), tick < 2 ? QList<int>{shown + 1} : QList<int>{});
        }
    }

    // The frame may go while the next photograph is still being decoded on
    // its worker thread: that decoding is waited for and dropped, not kept.
    void closedWhileTheNextPhotographIsDecoded()
    {
        testing::ProgramDoubles d;
        MDIForm1 &frame = startFrame();
        QVERIFY(QTest::qWaitForWindowExposed(frame.window()));
        rt::runIdleJobs();
        frame.window()->close();
        QVERIFY(!rt::isLoaded<MDIForm1>());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(preparedPhotos().isEmpty());
    }

    // Including the keyboard focus: a keyboard user keeps their place
    // although the tick hides the window for a moment.
    void tickKeepsTheCalendarAsItWas()
    {
        testing::ProgramDoubles d;
        MDIForm1 &frame = startFrame();
        frame.window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.window()));
        Form1 &calendar = rt::form<Form1>();
        calendar.yearc->setListIndex(9); // chosen, not drawn
        calendar.text1[25]->setText(QStringLiteral("note"));
        calendar.monthc->setFocus();
        d.clock.advance(20000);
        QCOMPARE(&rt::form<Form1>(), &calendar);
        QCOMPARE(calendar.yearc->Text(), QStringLiteral("9"));
        QCOMPARE(calendar.text1[25]->Text(), QStringLiteral("note"));
        QVERIFY(calendar.Visible());
        QCOMPARE(QApplication::focusWidget(), calendar.monthc);
    }

    // Wherever the focus was, it is there after a tick: a selector whose list
    // was open (the list may close), a day cell, the button, a text being
    // edited with its cursor and its selection in either direction.
    void tickKeepsTheFocusWhereItWas_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("listOpen");
        QTest::addColumn<int>("from"); // selection's anchor, or -1 for none
        QTest::addColumn<int>("to");   // where the cursor stands
        QTest::newRow("month list open") << "monthc" << true << -1 << 0;
        QTest::newRow("decade list open") << "decade" << true << -1 << 0;
        QTest::newRow("day cell") << "text1(9)" << false << -1 << 0;
        QTest::newRow("button") << "go" << false << -1 << 0;
        QTest::newRow("month text, cursor inside") << "monthc" << false << -1 << 3;
        QTest::newRow("month text, selected rightwards") << "monthc" << false << 1 << 5;
        QTest::newRow("month text, selected leftwards") << "monthc" << false << 6 << 2;
        QTest::newRow("editable cell, selected") << "text1(25)" << false << 0 << 1;
    }
    void tickKeepsTheFocusWhereItWas()
    {
        QFETCH(QString, control);
        QFETCH(bool, listOpen);
        QFETCH(int, from);
        QFETCH(int, to);
        testing::ProgramDoubles d;
        MDIForm1 &frame = startFrame();
        frame.window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.window()));
        Form1 &calendar = rt::form<Form1>();
        calendar.monthc->setListIndex(11); // "December": room for a selection
        auto *focus = calendar.client()->findChild<QWidget *>(control);
        QVERIFY(focus);
        focus->setFocus();
        auto *combo = qobject_cast<QComboBox *>(focus);
        QLineEdit *edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit *>(focus);
        if (listOpen) {
            combo->showPopup();
            QTRY_VERIFY(combo->view()->isVisible());
        } else if (from >= 0) {
            edit->setSelection(from, to - from);
        } else if (edit) {
            edit->setCursorPosition(to);
        }
        const QString selected = edit ? edit->selectedText() : QString();

        d.clock.advance(20000);
        QVERIFY(calendar.Visible());
        QCOMPARE(QApplication::focusWidget(), focus);
        if (listOpen) {
            // The next arrow key changes this selector, no other.
            const int before = combo->currentIndex();
            if (combo->view()->isVisible())
                combo->hidePopup();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
            QCOMPARE(combo->currentIndex(), before - 1);
            QCOMPARE(calendar.millenium->ListIndex(), 2);
        } else if (edit) {
            QCOMPARE(edit->cursorPosition(), to);
            QCOMPARE(edit->selectedText(), selected);
        }
    }

    void alwaysMaximised()
    {
        testing::ProgramDoubles d;
        MDIForm1 &frame = startFrame();
        QCOMPARE(frame.WindowState(), rt::WindowState::Maximised);
        frame.window()->showMinimized();
        QCoreApplication::processEvents();
        QCOMPARE(frame.WindowState(), rt::WindowState::Maximised);
        frame.window()->showNormal();
        QCoreApplication::processEvents();
        QCOMPARE(frame.WindowState(), rt::WindowState::Maximised);
    }

    void backgroundClickMinimisesAndRestoresTheCalendar()
    {
        testing::ProgramDoubles d;
        MDIForm1 &frame = startFrame();
        Form1 &calendar = rt::form<Form1>();
        QCOMPARE(calendar.WindowState(), rt::WindowState::Normal);
        clickBackground(frame);
        QCOMPARE(calendar.WindowState(), rt::WindowState::Minimised);
        d.clock.advance(20000); // a tick leaves it minimised
        QCOMPARE(calendar.WindowState(), rt::WindowState::Minimised);
        QVERIFY(calendar.Visible());
        clickBackground(frame);
        QCOMPARE(calendar.WindowState(), rt::WindowState::Normal);
    }

    void calendarUnloadedComesBackAtTheNextTick()
    {
        testing::ProgramDoubles d;
        startFrame();
        rt::form<Form1>().Unload();
        QVERIFY(!rt::isLoaded<Form1>());
        QVERIFY(d.endings.empty());
        d.date.date = QDate(2027, 2, 1);
        d.clock.advance(20000);
        Form1 &calendar = rt::form<Form1>();
        QVERIFY(calendar.Visible());
        QCOMPARE(calendar.monthc->Text(), QStringLiteral("February"));
        QCOMPARE(calendar.text1[0]->Text(), QStringLiteral("1")); // 2027-02-01 is a Monday
    }

    // The calendar goes first; both unload handlers ask for the browser,
    // which opens once, and the slideshow ends with the frame.
    void closingTheFrameOpensTheBrowserOnce()
    {
        testing::ProgramDoubles d;
        MDIForm1 &frame = startFrame();
        frame.window()->close();
        QVERIFY(!rt::isLoaded<Form1>());
        QVERIFY(!rt::isLoaded<MDIForm1>());
        QVERIFY(rt::isLoaded<frmBrowser>());
        QVERIFY(rt::form<frmBrowser>().Visible());
        QCOMPARE(d.web.made.size(), 1u);
        d.clock.advance(100000);
        QVERIFY(!rt::isLoaded<Form1>());
        QVERIFY(d.endings.empty());
    }

    void photographIsCentredAndFitted()
    {
        testing::ProgramDoubles d;
        MDIForm1 &frame = startFrame();
        const QRect r = frame.area()->imageRect();
        const QSize area = frame.area()->viewport()->size();
        QVERIFY(r.width() == area.width() || r.height() == area.height());
        QCOMPARE(r.center().x(), QRect(QPoint(), area).center().x());
        QVERIFY(qAbs(double(r.width()) / r.height() - 783.0 / 522.0) < 0.01);

        rt::form<Form1>().setVisible(false);
        const QImage shot = frame.area()->viewport()->grab().toImage();
        const QPoint outside = r.width() < area.width() ? QPoint(1, area.height() / 2) : QPoint(area.width() / 2, 1);
        QCOMPARE(QColor(shot.pixel(outside)), QColor(192, 192, 192));
    }

    // A photograph is drawn as its 256-colour palette gives it, whatever
    // size the frame has: enlarged, about its own size and made smaller.
    void photographIsDrawnAsItsPaletteGives_data()
    {
        QTest::addColumn<QSize>("area");
        QTest::newRow("enlarged") << QSize(1280, 781);
        QTest::newRow("about its size") << QSize(800, 540);
        QTest::newRow("smaller") << QSize(355, 256);
    }
    void photographIsDrawnAsItsPaletteGives()
    {
        QFETCH(QSize, area);
        const QImage photograph = rt::loadPicture(resourcenames::photograph(3));
        QCOMPARE(photograph.format(), QImage::Format_Indexed8);
        rt::BackgroundArea background(nullptr);
        background.setBackColor(QColor(192, 192, 192));
        background.setImage(photograph);
        background.resize(area);
        background.show();
        QVERIFY(QTest::qWaitForWindowExposed(&background));

        QImage expected(background.viewport()->size(), QImage::Format_RGB32);
        expected.fill(QColor(192, 192, 192));
        {
            QPainter painter(&expected);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(background.imageRect(), photograph);
        }
        QCOMPARE(background.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32), expected);
    }

    // Uncompressed 8-bit bitmaps with a 256-colour table, bottom-up, pixels at byte 1078.
    void photographsAreCompiledIn_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("bytes");
        QTest::newRow("0") << 0 << QSize(523, 601) << 316002;
        QTest::newRow("1") << 1 << QSize(522, 783) << 411370;
        QTest::newRow("2") << 2 << QSize(791, 470) << 373318;
        QTest::newRow("3") << 3 << QSize(783, 522) << 410326;
    }
    void photographsAreCompiledIn()
    {
        QFETCH(int, index);
        QFETCH(QSize, size);
        QFETCH(int, bytes);
        QFile file(QStringLiteral(":/photos/photo%1.bmp").arg(index));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bmp = file.readAll();
        QCOMPARE(bmp.size(), bytes);
        auto u32 = [&](int at) { return qFromLittleEndian<quint32>(bmp.constData() + at); };
        auto u16 = [&](int at) { return qFromLittleEndian<quint16>(bmp.constData() + at); };
        QCOMPARE(bmp.left(2), QByteArray("BM"));
        QCOMPARE(u32(10), 1078u); // pixel data offset
        QCOMPARE(u32(14), 40u);   // information header size
        QCOMPARE(int(u32(18)), size.width());
        QCOMPARE(int(u32(22)), size.height()); // positive: bottom-up
        QCOMPARE(u16(28), 8);                  // bits per pixel
        QCOMPARE(u32(30), 0u);                 // no compression
        QCOMPARE(u32(46), 256u);               // colours in the table

        // Kept at one byte a pixel, and the same picture Qt's own reader sees.
        testing::ProgramDoubles d;
        const QImage &held = startFrame().Picture1[static_cast<std::size_t>(index)].Picture();
        QCOMPARE(held.size(), size);
        QCOMPARE(held.format(), QImage::Format_Indexed8);
        QCOMPARE(held.convertToFormat(QImage::Format_RGB32),
                 QImage(file.fileName()).convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(TestMdiForm1)
#include "tst_mdiform1.moc"
