// The site browser window on the manual clock, with a page view double that
// stays busy until the test finishes each load.
#include "browser/frmbrowser.h"
#include "calendar/form1.h"
#include "doubles.h"
#include "shell/mdiform1.h"
#include "standin.h"
#include "webdouble.h"

#include <QAbstractItemView>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStyleOptionComboBox>
#include <QTest>

#include <optional>

namespace {

struct Fixture {
    testing::Doubles doubles;
    testing::FakeWeb web;
    testing::StandIn<WebBrowserFactory *> scope{installedWebBrowserFactory(), &web};
};

} // namespace

class TestFrmBrowser : public QObject {
    Q_OBJECT

    std::optional<Fixture> f;

    frmBrowser &open()
    {
        rt::form<frmBrowser>().setVisible(true);
        return rt::form<frmBrowser>();
    }
    testing::FakeWebBrowser &view() { return *f->web.last(); }
    void tick() { f->doubles.clock.advance(5); }
    void click(frmBrowser &browser, const char *key)
    {
        QWidget *button = browser.tbToolBar->buttonWidget(QLatin1String(key));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void type(frmBrowser &browser, const QString &text)
    {
        browser.cboAddress->setFocus();
        browser.cboAddress->lineEdit()->clear();
        QTest::keyClicks(browser.cboAddress, text);
        QTest::keyClick(browser.cboAddress, Qt::Key_Return);
    }
    // No run-time error reached the runtime's default handling.
    void noErrors()
    {
        QVERIFY(f->doubles.messages.shown.empty());
        QVERIFY(f->doubles.endings.empty());
    }

private slots:
    void init() { f.emplace(); }
    void cleanup() { f.reset(); }

    void opensAtHomeAndReportsProgress()
    {
        frmBrowser &browser = open();
        QVERIFY(browser.Visible());
        QCOMPARE(browser.Caption(), QStringLiteral("Navigate my site"));
        QCOMPARE(browser.cboAddress->Text(), frmBrowser::homeAddress);
        // The stored entry and the one loading added.
        QCOMPARE(browser.cboAddress->ListCount(), 2);
        QCOMPARE(browser.cboAddress->List(0), frmBrowser::homeAddress);
        QCOMPARE(browser.cboAddress->List(1), frmBrowser::homeAddress);
        QCOMPARE(view().requests, QStringList{frmBrowser::homeAddress});
        QCOMPARE(browser.cboAddress->pos(), QPoint(rt::px(50), rt::px(330)));

        tick();
        QCOMPARE(browser.Caption(), QStringLiteral("Working..."));
        tick();
        QCOMPARE(browser.Caption(), QStringLiteral("Working..."));

        view().titles[frmBrowser::homeAddress] = QStringLiteral("Welcome");
        view().finishLoad();
        QCOMPARE(browser.Caption(), QStringLiteral("Welcome"));
        tick();
        QCOMPARE(browser.Caption(), QStringLiteral("Welcome"));
        QCOMPARE(f->doubles.clock.activeTimers(), 0);
        noErrors();
    }

    void enterLoadsTypedAddress_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("listed");
        QTest::newRow("new address") << QStringLiteral("http://127.0.0.1/typed.html") << false;
        QTest::newRow("an entry of the list") << QStringLiteral("http://127.0.0.1/listed.html") << true;
        QTest::newRow("the home address") << frmBrowser::homeAddress << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("no scheme") << QStringLiteral("example.com") << false;
        QTest::newRow("script") << QStringLiteral("javascript:alert(1)") << false;
    }
    void enterLoadsTypedAddress()
    {
        QFETCH(QString, typed);
        QFETCH(bool, listed);
        frmBrowser &browser = open();
        view().finishLoad();
        tick();
        if (listed)
            browser.cboAddress->AddItem(typed);
        const int entries = browser.cboAddress->ListCount();

        type(browser, typed);
        // Once, as typed: interpreting it is the page view's business.
        QCOMPARE(view().requests, (QStringList{frmBrowser::homeAddress, typed}));
        QCOMPARE(browser.cboAddress->ListCount(), entries);
        tick();
        QCOMPARE(browser.Caption(), QStringLiteral("Working..."));
        noErrors();
    }

    // An address the view does not open: its page saying why names the window
    // when it shows, with no "Working..." before, also when it cuts a load
    // short. The text stays in the box to be corrected.
    void refusedAddressShowsWhy_data()
    {
        QTest::addColumn<bool>("duringALoad");
        QTest::newRow("after a page") << false;
        QTest::newRow("during a load") << true;
    }
    void refusedAddressShowsWhy()
    {
        QFETCH(bool, duringALoad);
        frmBrowser &browser = open();
        view().titles[frmBrowser::homeAddress] = QStringLiteral("Welcome");
        view().finishLoad();
        tick();
        if (duringALoad)
            type(browser, QStringLiteral("http://127.0.0.1/slow.html"));
        view().refused << QStringLiteral("hello world");

        type(browser, QStringLiteral("hello world"));
        QCOMPARE(view().requests.last(), QStringLiteral("hello world"));
        QCOMPARE(f->doubles.clock.activeTimers(), 0);
        tick();
        QCOMPARE(browser.Caption(), QStringLiteral("Welcome"));
        view().finishLoad();
        QCOMPARE(browser.Caption(), testing::FakeWebBrowser::refusalTitle);
        QCOMPARE(browser.cboAddress->Text(), QStringLiteral("hello world"));
        QCOMPARE(browser.cboAddress->ListCount(), 2);
        noErrors();

        // Back to the page before it.
        click(browser, "Back");
        view().finishLoad();
        QCOMPARE(browser.Caption(),
                 duringALoad ? QStringLiteral("http://127.0.0.1/slow.html") : QStringLiteral("Welcome"));
    }

    void pickingAnEntryLoadsIt()
    {
        frmBrowser &browser = open();
        view().finishLoad();
        browser.cboAddress->AddItem(QStringLiteral("http://127.0.0.1/picked.html"));

        browser.cboAddress->showPopup();
        QAbstractItemView *list = browser.cboAddress->view();
        QTRY_VERIFY(list->isVisible());
        const QRect entry = list->visualRect(list->model()->index(2, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
        QCOMPARE(view().requests.last(), QStringLiteral("http://127.0.0.1/picked.html"));
        QCOMPARE(view().requests.size(), 2);

        // The arrow keys pick the entry above.
        QTest::keyClick(browser.cboAddress, Qt::Key_Up);
        QCOMPARE(view().requests, (QStringList{frmBrowser::homeAddress, QStringLiteral("http://127.0.0.1/picked.html"),
                                               frmBrowser::homeAddress}));
    }

    void stopNamesThePageAtOnce()
    {
        frmBrowser &browser = open();
        view().titles[frmBrowser::homeAddress] = QStringLiteral("Welcome");
        tick();
        QCOMPARE(browser.Caption(), QStringLiteral("Working..."));

        click(browser, "Stop");
        QCOMPARE(view().stops, 1);
        QVERIFY(!view().Busy());
        QCOMPARE(browser.Caption(), QStringLiteral("Welcome"));
        QCOMPARE(f->doubles.clock.activeTimers(), 0);
        noErrors();
    }

    void buttonsLoadTheirPage_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("Home: the web layer's own") << "Home" << testing::FakeWebBrowser::homePage;
        QTest::newRow("Search") << "Search" << testing::FakeWebBrowser::searchPage;
        QTest::newRow("Refresh") << "Refresh" << frmBrowser::homeAddress;
    }
    void buttonsLoadTheirPage()
    {
        QFETCH(QString, key);
        QFETCH(QString, loaded);
        frmBrowser &browser = open();
        view().finishLoad();
        tick();
        QCOMPARE(f->doubles.clock.activeTimers(), 0);

        click(browser, qPrintable(key));
        QCOMPARE(view().requests, (QStringList{frmBrowser::homeAddress, loaded}));
        tick();
        QCOMPARE(browser.Caption(), QStringLiteral("Working..."));
        view().finishLoad();
        tick();
        QCOMPARE(browser.Caption(), view().LocationName());
        QCOMPARE(f->doubles.clock.activeTimers(), 0);
    }

    void backAndForward()
    {
        frmBrowser &browser = open();
        view().titles[frmBrowser::homeAddress] = QStringLiteral("Welcome");
        view().finishLoad();
        browser.setCaption(QStringLiteral("before"));

        // Nowhere to go: the error is skipped, the page stays and the next tick names it.
        click(browser, "Back");
        click(browser, "Forward");
        QCOMPARE(view().requests, QStringList{frmBrowser::homeAddress});
        QCOMPARE(view().current, 0);
        tick();
        QCOMPARE(browser.Caption(), QStringLiteral("Welcome"));
        QCOMPARE(f->doubles.clock.activeTimers(), 0);
        noErrors();

        type(browser, QStringLiteral("http://127.0.0.1/second.html"));
        view().finishLoad();
        click(browser, "Back");
        QCOMPARE(view().requests.last(), frmBrowser::homeAddress);
        view().finishLoad();
        QCOMPARE(browser.Caption(), QStringLiteral("Welcome"));
        click(browser, "Forward");
        QCOMPARE(view().requests.last(), QStringLiteral("http://127.0.0.1/second.html"));
        click(browser, "Forward");
        QCOMPARE(view().requests.size(), 4);
        noErrors();
    }

    void resizeFollowsTheWindow()
    {
        frmBrowser &browser = open();
        QWidget *page = view().view();
        const int addressWidth = browser.cboAddress->width();
        const QSize pageSize = page->size();
        const QSize windowSize = browser.window()->size();
        // Margins of 50 twips left and right of the page view, 100 below it.
        QVERIFY(qAbs(rt::twips(page->x() + page->width()) + 50 - browser.ScaleWidth()) <= rt::twipsPerPixel);
        QVERIFY(qAbs(rt::twips(page->y() + page->height()) + 100 - browser.ScaleHeight()) <= rt::twipsPerPixel);

        // 1000 twips, to the nearest pixel.
        const int grow = rt::px(1000);
        browser.window()->resize(windowSize + QSize(grow, grow));
        QTRY_COMPARE(page->width(), pageSize.width() + grow);
        QCOMPARE(browser.cboAddress->width(), addressWidth + grow);
        QCOMPARE(page->height(), pageSize.height() + grow);
        QCOMPARE(browser.tbToolBar->width(), browser.client()->width());
        QCOMPARE(browser.picAddress->width(), browser.client()->width());
        // Left and top stay.
        QCOMPARE(page->pos(), QPoint(rt::px(50), rt::px(1215)));
        noErrors();
    }

    void tinyWindowKeepsPositiveSizes_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("1 x 1 pixel") << QSize(1, 1);
        QTest::newRow("narrower than the margins") << QSize(5, 400);
        QTest::newRow("lower than the address bar") << QSize(400, 60);
    }
    void tinyWindowKeepsPositiveSizes()
    {
        QFETCH(QSize, size);
        frmBrowser &browser = open();
        QWidget *page = view().view();
        browser.window()->resize(size);
        QTRY_COMPARE(browser.client()->size(), size);
        QVERIFY(page->width() >= 1 && page->height() >= 1);
        QVERIFY(browser.cboAddress->width() >= 1);
        browser.setWindowState(rt::WindowState::Minimised);
        browser.setWindowState(rt::WindowState::Normal);
        QVERIFY(page->width() >= 1 && page->height() >= 1);
        noErrors();
    }

    void toolbarShowsKeyedPictures()
    {
        frmBrowser &browser = open();
        const QStringList keys{QStringLiteral("Back"),    QStringLiteral("Forward"), QStringLiteral("Stop"),
                               QStringLiteral("Refresh"), QStringLiteral("Home"),    QStringLiteral("Search")};
        QCOMPARE(browser.tbToolBar->Buttons().size(), std::size_t(6));
        QCOMPARE(browser.tbToolBar->toolButtonStyle(), Qt::ToolButtonIconOnly);
        int left = -1;
        for (int i = 0; i < keys.size(); ++i) {
            const rt::Button &button = browser.tbToolBar->Buttons()[std::size_t(i)];
            QCOMPARE(button.Key, keys[i]);
            QCOMPARE(button.Image, i + 1);
            QWidget *widget = browser.tbToolBar->buttonWidget(keys[i]);
            QCOMPARE(widget->toolTip(), keys[i]);
            QVERIFY(widget->x() > left);
            left = widget->x();

            // The pictures: 8 bits per pixel, silver where they show the toolbar.
            const QImage stored(QStringLiteral(":/toolbar/%1.bmp").arg(keys[i].toLower()));
            QCOMPARE(stored.size(), QSize(24, 24));
            QCOMPARE(stored.depth(), 8);
            QCOMPARE(stored.pixelColor(0, 0), QColor(0xC0, 0xC0, 0xC0));
            const QImage shown = browser.imlIcons.ListImages(i + 1).pixmap(24, 24).toImage();
            int transparent = 0;
            for (int y = 0; y < 24; ++y) {
                for (int x = 0; x < 24; ++x) {
                    const bool silver = stored.pixelColor(x, y) == QColor(0xC0, 0xC0, 0xC0);
                    QCOMPARE(shown.pixelColor(x, y).alpha(), silver ? 0 : 255);
                    transparent += silver ? 1 : 0;
                }
            }
            QVERIFY(transparent > 0 && transparent < 24 * 24);
        }
    }

    // The address box is wide: it keeps the drop-down button of the
    // program's style, not the calendar selectors' slim one.
    void addressBoxHasTheStyledDropDownButton()
    {
        frmBrowser &browser = open();
        QStyleOptionComboBox option;
        option.initFrom(browser.cboAddress);
        option.editable = true;
        const auto arrow = [&](const QStyle *style) {
            return style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, browser.cboAddress);
        };
        QCOMPARE(arrow(browser.cboAddress->style()), arrow(QApplication::style()));
    }

    void altAMovesToTheAddressBox()
    {
        frmBrowser &browser = open();
        QCOMPARE(browser.lblAddress->text(), QStringLiteral("&Address:"));
        QApplication::setActiveWindow(browser.window());
        QVERIFY(QTest::qWaitForWindowActive(browser.window()));
        view().view()->setFocusPolicy(Qt::StrongFocus);
        view().view()->setFocus();
        QTest::keyClick(browser.window(), Qt::Key_A, Qt::AltModifier);
        QTRY_VERIFY(browser.cboAddress->hasFocus());
    }

    // Without its web module the window still opens, works and closes; it
    // says why it shows no pages.
    void withoutTheWebModule()
    {
        WebModuleLoader nowhere({QDir(QDir::tempPath()).filePath(QStringLiteral("no-such-folder"))});
        testing::StandIn scope(installedWebBrowserFactory(), &nowhere);
        frmBrowser &browser = open();
        QVERIFY(!nowhere.error().isEmpty());
        auto *label = qobject_cast<QLabel *>(browser.brwWebBrowser->view());
        QVERIFY(label && label->text().contains(QStringLiteral("cannot be shown")));
        tick();
        QCOMPARE(browser.Caption(), browser.brwWebBrowser->LocationName());
        QCOMPARE(f->doubles.clock.activeTimers(), 0);
        click(browser, "Back");
        click(browser, "Home");
        type(browser, QStringLiteral("http://127.0.0.1/"));
        tick();
        QCOMPARE(f->doubles.clock.activeTimers(), 0);
        QVERIFY(f->doubles.messages.shown.empty());
        browser.Unload();
        QVERIFY(!rt::isLoaded<frmBrowser>());
    }

    // Closing the calendar or the frame opens the browser, once.
    void chainOfWindows()
    {
        rt::form<Form1>().setVisible(true);
        QVERIFY(!rt::isLoaded<frmBrowser>());

        rt::form<Form1>().Unload();
        QVERIFY(rt::isLoaded<frmBrowser>());
        QVERIFY(rt::form<frmBrowser>().Visible());
        QVERIFY(rt::isLoaded<MDIForm1>());

        rt::form<MDIForm1>().Unload();
        QVERIFY(!rt::isLoaded<MDIForm1>());
        QCOMPARE(f->web.made.size(), std::size_t(1));
        QCOMPARE(view().requests, QStringList{frmBrowser::homeAddress});

        // A browser closed and reached again loads afresh, at home.
        rt::form<frmBrowser>().Unload();
        QVERIFY(!rt::isLoaded<frmBrowser>());
        open();
        QCOMPARE(f->web.made.size(), std::size_t(2));
        QCOMPARE(view().requests, QStringList{frmBrowser::homeAddress});
        QCOMPARE(rt::form<frmBrowser>().cboAddress->ListCount(), 2);
        QVERIFY(f->doubles.messages.shown.empty());
    }

    // The program's site: every page titled, every link leads to a page of it,
    // and every page can be reached from every other.
    void siteLinksHoldTogether()
    {
        const QDir site(QStringLiteral(":/site"));
        const QStringList pages = site.entryList({QStringLiteral("*.html")}, QDir::Files);
        QVERIFY(pages.contains(QStringLiteral("index.html")));
        QVERIFY(pages.size() >= 4);
        QVERIFY(frmBrowser::homeAddress.endsWith(QStringLiteral("/index.html")));

        const QRegularExpression href(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
        const QRegularExpression title(QStringLiteral("<title>TEMPORIA - [^<]+</title>"));
        for (const QString &page : pages) {
            QFile file(site.filePath(page));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(file.readAll());
            QVERIFY2(title.match(html).hasMatch(), qPrintable(page));
            QStringList linked;
            for (const QRegularExpressionMatch &m : href.globalMatch(html)) {
                const QString target = m.captured(1);
                QVERIFY2(!target.contains(QLatin1Char(':')) && site.exists(target), qPrintable(page + u' ' + target));
                linked << target;
            }
            for (const QString &other : pages)
                QVERIFY2(other == page || linked.contains(other),
                         qPrintable(page + QStringLiteral(" misses ") + other));
        }
    }
};

QTEST_MAIN(TestFrmBrowser)
#include "tst_frmbrowser.moc"
