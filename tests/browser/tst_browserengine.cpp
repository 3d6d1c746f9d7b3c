// The site browser on the real web engine, loaded from the web module as the
// program loads it. Pages come from the program's own site and from a server
// on 127.0.0.1 that the test runs; the window's timer stays on the manual
// clock, and the QTRY waits are for the engine only.
#include "about/frmabout.h"
#include "address.h"
#include "browser/frmbrowser.h"
#include "doubles.h"
#include "engineoutput.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

#include <csignal>

#include <signal.h> // NOLINT(modernize-deprecated-headers): kill() is POSIX, not in <csignal>
#include <unistd.h>

namespace {

constexpr int engineTimeout = 60000;

// Serves a few pages. /slow.html sends its head and then waits for
// releaseSlow(), so that its load stays in progress as long as the test needs.
class PageServer : public QObject {
public:
    PageServer()
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            }
        });
        if (!m_server.listen(QHostAddress::LocalHost))
            qFatal("cannot listen on 127.0.0.1");
    }

    [[nodiscard]] QString url(const QString &path) const
    {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(m_server.serverPort()).arg(path);
    }

    void releaseSlow()
    {
        for (QTcpSocket *socket : std::exchange(m_slow, {})) {
            if (socket->state() == QAbstractSocket::ConnectedState) {
                socket->write("<p>at last</p></body></html>");
                socket->disconnectFromHost();
            }
        }
    }

private:
    void serve(QTcpSocket *socket)
    {
        QByteArray &request = m_requests[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        const QByteArray path = request.split(' ').value(1);
        request.clear();

        auto page = [](const char *title, const QByteArray &body) {
            return QByteArrayLiteral("<!DOCTYPE html><html><head><title>") + title + "</title></head><body>" + body
                   + "</body></html>";
        };
        QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n";
        QByteArray body;
        if (path == "/a.html") {
            body = page("Page A", "<a href=\"b.html\">B</a>");
        } else if (path == "/b.html") {
            body = page("Page B", "<a href=\"a.html\">A</a>");
        } else if (path == "/slow.html") {
            socket->write(head + "\r\n<!DOCTYPE html><html><head><title>Slow page</title></head><body>");
            m_slow << socket;
            return;
        } else if (path == "/console.html") {
            body = page("Spoke", "<script>console.info('page info'); console.warn('page warning');"
                                 "console.error('page error');</script>");
        } else if (path == "/store.html") {
            // Everything a page can ask a browser to keep.
            head += "Set-Cookie: visitor=1; Max-Age=31536000\r\nCache-Control: max-age=31536000\r\n";
            body = page("Storing", "<script>"
                                   "localStorage.setItem('k', 'v'); sessionStorage.setItem('k', 'v');"
                                   "const r = indexedDB.open('db', 1);"
                                   "r.onupgradeneeded = () => r.result.createObjectStore('s');"
                                   "r.onsuccess = () => { document.title = 'Stored'; };"
                                   "r.onerror = () => { document.title = 'Refused'; };"
                                   "</script>");
        } else {
            head = "HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\nConnection: close\r\n";
            body = page("Not here", "");
        }
        socket->write(head + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QTcpSocket *, QByteArray> m_requests;
    QList<QTcpSocket *> m_slow;
};

// The command lines of the processes whose environment holds this entry.
QStringList processesWith(const QByteArray &entry)
{
    QStringList found;
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList({QStringLiteral("[0-9]*")}, QDir::Dirs);
    for (const QString &pid : pids) {
        QFile environ(QStringLiteral("/proc/%1/environ").arg(pid));
        if (environ.open(QIODevice::ReadOnly) && environ.readAll().split('\0').contains(entry)) {
            QFile command(QStringLiteral("/proc/%1/cmdline").arg(pid));
            found << (command.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(command.readAll()) : pid);
        }
    }
    return found;
}

// The web module as the program would find it, but in the build tree.
WebModuleLoader &engine()
{
    static WebModuleLoader loader({QStringLiteral(TEMPORIA_WEBMODULE_DIR)});
    return loader;
}

struct Fixture {
    testing::Doubles doubles;
    testing::StandIn<WebBrowserFactory *> scope{installedWebBrowserFactory(), &engine()};
};

frmBrowser &open()
{
    rt::form<frmBrowser>().setVisible(true);
    return rt::form<frmBrowser>();
}

void type(frmBrowser &browser, const QString &text)
{
    browser.cboAddress->setFocus();
    browser.cboAddress->lineEdit()->clear();
    browser.cboAddress->lineEdit()->insert(text);
    QTest::keyClick(browser.cboAddress, Qt::Key_Return);
}

// The engine's renderer processes, found among this process's descendants:
// those with a renderer's command line, and those the engine's zygote forked,
// which keep the zygote's command line for a while.
QList<pid_t> renderers()
{
    QMultiHash<pid_t, pid_t> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        bool number = false;
        const pid_t pid = entry.toInt(&number);
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!number || !stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold blanks and parentheses.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1)
            children.insert(fields.at(1).toInt(), pid);
    }
    auto commandLine = [](pid_t pid) {
        QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QList<pid_t> found;
    QList<pid_t> next{getpid()};
    while (!next.isEmpty()) {
        const pid_t parent = next.takeFirst();
        const bool zygote = commandLine(parent).contains("--type=zygote");
        for (const pid_t child : children.values(parent)) {
            next << child;
            if (zygote || commandLine(child).contains("--type=renderer"))
                found << child;
        }
    }
    return found;
}

// Loads a page and waits until the window names it.
bool visit(frmBrowser &browser, const QString &address, const QString &title)
{
    type(browser, address);
    return QTest::qWaitFor([&] { return !browser.brwWebBrowser->Busy() && browser.Caption() == title; }, engineTimeout);
}

} // namespace

class TestBrowserEngine : public QObject {
    Q_OBJECT

    std::optional<Fixture> f;
    std::optional<PageServer> server;

    void tick() { f->doubles.clock.advance(5); }
    void click(frmBrowser &browser, const char *key)
    {
        QTest::mouseClick(browser.tbToolBar->buttonWidget(QLatin1String(key)), Qt::LeftButton);
    }
    // Ticks until the window's timer finds the view idle and stops.
    void settle(frmBrowser &browser)
    {
        QTRY_VERIFY_WITH_TIMEOUT(!browser.brwWebBrowser->Busy(), engineTimeout);
        tick();
        QCOMPARE(f->doubles.clock.activeTimers(), 0);
    }

private slots:
    // The engine comes into the process with the first page view, not before.
    void initTestCase()
    {
        auto engineLoaded = [] {
            QFile maps(QStringLiteral("/proc/self/maps"));
            return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6WebEngineCore");
        };
        QVERIFY(!engineLoaded());
        const std::unique_ptr<WebBrowser> first(engine().create(nullptr));
        QVERIFY2(engine().error().isEmpty(), qPrintable(engine().error()));
        QVERIFY(engineLoaded());
    }
    void init()
    {
        f.emplace();
        server.emplace();
    }
    void cleanup()
    {
        f.reset();
        server.reset();
    }

    void opensTheProgramsSite()
    {
        frmBrowser &browser = open();
        QCOMPARE(browser.cboAddress->Text(), frmBrowser::homeAddress);
        QTRY_COMPARE_WITH_TIMEOUT(browser.Caption(), QStringLiteral("TEMPORIA - Welcome"), engineTimeout);
        settle(browser);
        QCOMPARE(browser.Caption(), QStringLiteral("TEMPORIA - Welcome"));

        QVERIFY(visit(browser, QStringLiteral("temporia://site/leap.html"),
                      QStringLiteral("TEMPORIA - The leap-year rule")));
        QVERIFY(
            visit(browser, QStringLiteral("temporia://site/keys.html"), QStringLiteral("TEMPORIA - Keyboard keys")));
        QCOMPARE(browser.cboAddress->ListCount(), 2);
    }

    void workingWhileLoadingThenTheTitle()
    {
        frmBrowser &browser = open();
        QTRY_VERIFY_WITH_TIMEOUT(!browser.brwWebBrowser->Busy(), engineTimeout);

        type(browser, server->url(QStringLiteral("slow.html")));
        QVERIFY(browser.brwWebBrowser->Busy());
        tick();
        QCOMPARE(browser.Caption(), QStringLiteral("Working..."));
        // Still loading once the engine has really started.
        QTRY_VERIFY_WITH_TIMEOUT(browser.brwWebBrowser->LocationName() == QStringLiteral("Slow page"), engineTimeout);
        QVERIFY(browser.brwWebBrowser->Busy());
        tick();
        QCOMPARE(browser.Caption(), QStringLiteral("Working..."));

        server->releaseSlow();
        QTRY_COMPARE_WITH_TIMEOUT(browser.Caption(), QStringLiteral("Slow page"), engineTimeout);
        settle(browser);
        QCOMPARE(browser.Caption(), QStringLiteral("Slow page"));
    }

    void stopEndsTheLoad()
    {
        frmBrowser &browser = open();
        QVERIFY(visit(browser, server->url(QStringLiteral("a.html")), QStringLiteral("Page A")));
        type(browser, server->url(QStringLiteral("slow.html")));
        QTRY_VERIFY_WITH_TIMEOUT(browser.brwWebBrowser->LocationName() == QStringLiteral("Slow page"), engineTimeout);

        click(browser, "Stop");
        QCOMPARE(browser.Caption(), browser.brwWebBrowser->LocationName());
        QCOMPARE(f->doubles.clock.activeTimers(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!browser.brwWebBrowser->Busy(), engineTimeout);
        server->releaseSlow();
    }

    // The page's renderer killed under it: the window says so in the page
    // area, is not left "Working...", and Refresh brings the page back.
    void rendererKilled_data()
    {
        QTest::addColumn<bool>("whileLoading");
        QTest::newRow("page shown") << false;
        QTest::newRow("page loading") << true;
    }
    void rendererKilled()
    {
        QFETCH(bool, whileLoading);
        frmBrowser &browser = open();
        QVERIFY(visit(browser, server->url(QStringLiteral("a.html")), QStringLiteral("Page A")));
        if (whileLoading) {
            type(browser, server->url(QStringLiteral("slow.html")));
            QTRY_VERIFY_WITH_TIMEOUT(browser.brwWebBrowser->LocationName() == QStringLiteral("Slow page"),
                                     engineTimeout);
        }
        const QList<pid_t> killed = renderers();
        QVERIFY(!killed.isEmpty());
        for (const pid_t pid : killed)
            QCOMPARE(::kill(pid, SIGKILL), 0);

        QTRY_COMPARE_WITH_TIMEOUT(browser.Caption(), QStringLiteral("TEMPORIA - Page stopped"), engineTimeout);
        settle(browser);
        QCOMPARE(browser.Caption(), QStringLiteral("TEMPORIA - Page stopped"));
        server->releaseSlow();

        click(browser, "Refresh");
        const QString again = whileLoading ? QStringLiteral("Slow page") : QStringLiteral("Page A");
        if (whileLoading)
            QTRY_VERIFY_WITH_TIMEOUT(browser.brwWebBrowser->LocationName() == again, engineTimeout);
        server->releaseSlow();
        QTRY_COMPARE_WITH_TIMEOUT(browser.Caption(), again, engineTimeout);
        settle(browser);

        // The window still closes into the About window.
        browser.Unload();
        QVERIFY(!rt::isLoaded<frmBrowser>());
        QVERIFY(rt::isLoaded<frmAbout>() && rt::form<frmAbout>().Visible());
    }

    void backAndForward()
    {
        frmBrowser &browser = open();
        QTRY_COMPARE_WITH_TIMEOUT(browser.Caption(), QStringLiteral("TEMPORIA - Welcome"), engineTimeout);
        settle(browser);

        // Nowhere to go yet: nothing changes, no error reaches the user.
        click(browser, "Back");
        click(browser, "Forward");
        tick();
        QCOMPARE(browser.Caption(), QStringLiteral("TEMPORIA - Welcome"));
        QCOMPARE(f->doubles.clock.activeTimers(), 0);
        QVERIFY(f->doubles.messages.shown.empty());

        QVERIFY(visit(browser, server->url(QStringLiteral("a.html")), QStringLiteral("Page A")));
        QVERIFY(visit(browser, server->url(QStringLiteral("b.html")), QStringLiteral("Page B")));
        click(browser, "Back");
        QTRY_COMPARE_WITH_TIMEOUT(browser.Caption(), QStringLiteral("Page A"), engineTimeout);
        click(browser, "Forward");
        QTRY_COMPARE_WITH_TIMEOUT(browser.Caption(), QStringLiteral("Page B"), engineTimeout);
        settle(browser);
        QVERIFY(f->doubles.messages.shown.empty());
    }

    // Whatever is typed, the window goes on working and nothing typed runs.
    // What the view does not open brings the program's own page saying why,
    // titled by the reason, without "Working..." first.
    void badAddressesNeverHang_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>(
            "refusal"); // the page's title; empty: the engine shows its error page or the server's
        const QString many(10000, QLatin1Char('a'));
        const QString empty = QStringLiteral("TEMPORIA - No address to open");
        const QString notAnAddress = QStringLiteral("TEMPORIA - Not an address");
        const QString script = QStringLiteral("TEMPORIA - Scripts are not run");
        QTest::newRow("empty") << QString() << empty;
        QTest::newRow("blanks") << QStringLiteral("    ") << empty;
        QTest::newRow("words") << QStringLiteral("hello world") << notAnAddress;
        QTest::newRow("malformed") << QStringLiteral("http://[::1") << notAnAddress;
        QTest::newRow("bad port") << QStringLiteral("http://127.0.0.1:99999/") << notAnAddress;
        QTest::newRow("script") << QStringLiteral("javascript:document.title='hacked'") << script;
        QTest::newRow("script in disguise") << QStringLiteral(" JavaScript:document.title='hacked'") << script;
        QTest::newRow("markup") << QStringLiteral("<script>document.title='hacked'</script>") << notAnAddress;
        QTest::newRow("10,000 characters") << many << notAnAddress;
        QTest::newRow("another program's scheme")
            << QStringLiteral("mailto:someone@example.org") << QStringLiteral("TEMPORIA - Not opened here");
        QTest::newRow("10,000 characters of path") << QStringLiteral("http://127.0.0.1:1/") + many << QString();
        QTest::newRow("outside the site") << QStringLiteral("temporia://site/../photos/photo0.bmp") << QString();
    }
    void badAddressesNeverHang()
    {
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        frmBrowser &browser = open();
        QVERIFY(visit(browser, server->url(QStringLiteral("a.html")), QStringLiteral("Page A")));

        type(browser, typed);
        if (!refusal.isEmpty()) {
            QCOMPARE(f->doubles.clock.activeTimers(), 0);
            tick();
            QCOMPARE(browser.Caption(), QStringLiteral("Page A"));
            QTRY_COMPARE_WITH_TIMEOUT(browser.Caption(), refusal, engineTimeout);
            QCOMPARE(browser.cboAddress->Text(), typed);
        }
        settle(browser);
        QVERIFY(browser.Caption() != QStringLiteral("hacked"));
        QVERIFY(f->doubles.messages.shown.empty());
        // And the window goes on working.
        QVERIFY(visit(browser, server->url(QStringLiteral("b.html")), QStringLiteral("Page B")));
    }

    void readAddress_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("url"); // empty: nothing is loaded
        QTest::addColumn<Refusal>("refusal");
        QTest::newRow("empty") << QString() << QString() << Refusal::Empty;
        QTest::newRow("blanks and controls") << QStringLiteral(" \t\x01 ") << QString() << Refusal::Empty;
        QTest::newRow("no scheme") << QStringLiteral("example.com") << QStringLiteral("http://example.com")
                                   << Refusal::None;
        QTest::newRow("host and port") << QStringLiteral("127.0.0.1:8080/x")
                                       << QStringLiteral("http://127.0.0.1:8080/x") << Refusal::None;
        QTest::newRow("site") << frmBrowser::homeAddress << frmBrowser::homeAddress << Refusal::None;
        QTest::newRow("blanks around") << QStringLiteral("  http://127.0.0.1/ ") << QStringLiteral("http://127.0.0.1/")
                                       << Refusal::None;
        QTest::newRow("file") << QStringLiteral("/tmp") << QStringLiteral("file:///tmp") << Refusal::None;
        QTest::newRow("words") << QStringLiteral("hello world") << QString() << Refusal::NotAnAddress;
        QTest::newRow("malformed") << QStringLiteral("http://[::1") << QString() << Refusal::NotAnAddress;
        QTest::newRow("script") << QStringLiteral("javascript:alert(1)") << QString() << Refusal::Script;
        QTest::newRow("script, upper case") << QStringLiteral("JAVASCRIPT:alert(1)") << QString() << Refusal::Script;
        QTest::newRow("script split by a tab")
            << QStringLiteral("java\tscript:alert(1)") << QString() << Refusal::Script;
        QTest::newRow("script after controls")
            << QStringLiteral("\x01\x02javascript:alert(1)") << QString() << Refusal::Script;
        QTest::newRow("mail") << QStringLiteral("mailto:someone@example.org") << QString() << Refusal::OtherScheme;
        QTest::newRow("the program's resources")
            << QStringLiteral("qrc:/photos/photo0.bmp") << QString() << Refusal::OtherScheme;
        QTest::newRow("10,000 characters") << QString(10000, QLatin1Char('a')) << QString() << Refusal::NotAnAddress;
    }
    void readAddress()
    {
        QFETCH(QString, typed);
        QFETCH(QString, url);
        QFETCH(Refusal, refusal);
        const Address read = ::readAddress(typed);
        QCOMPARE(read.url.toString(), url);
        QCOMPARE(read.refusal, refusal);
    }

    // The page repeats what was typed, as text, and says why it was not opened.
    void refusalPageSaysWhy_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("why");
        QTest::newRow("nothing") << QString() << QStringLiteral("(nothing)") << QStringLiteral("box was empty");
        QTest::newRow("markup") << QStringLiteral("<img src=x onerror=alert(1)>")
                                << QStringLiteral("&lt;img src=x onerror=alert(1)&gt;")
                                << QStringLiteral("not written as an address");
        QTest::newRow("query characters")
            << QStringLiteral("javascript:a&b=%41#c+d") << QStringLiteral("javascript:a&amp;b=%41#c+d")
            << QStringLiteral("runs no script");
        QTest::newRow("not Latin") << QStringLiteral("mailto:Zoë@example.org")
                                   << QStringLiteral("mailto:Zoë@example.org")
                                   << QStringLiteral("start with mailto: belong to other programs");
    }
    void refusalPageSaysWhy()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, why);
        const QUrl url = refusalUrl(typed);
        QVERIFY(isRefusalUrl(url));
        QCOMPARE(url.scheme(), QStringLiteral("temporia"));
        const QString page = QString::fromUtf8(refusalPage(url));
        QVERIFY2(page.contains(QStringLiteral("<code class=\"typed\">") + shown + QStringLiteral("</code>")),
                 qPrintable(page));
        QVERIFY2(page.contains(why), qPrintable(page));
        QVERIFY(page.contains(QStringLiteral("Nothing was run, and nothing was handed to another program.")));
        QVERIFY(page.contains(QStringLiteral("script-src 'none'")));
        QVERIFY(!page.contains(QStringLiteral("<img")));
    }

    // Started from a terminal, the program says nothing there as the engine
    // starts and shows a page that writes to its console - unless the
    // user's logging rules, wherever written, ask for it. Each run is a
    // process of its own: the rules are read once per process.
    void engineKeepsQuiet_data()
    {
        QTest::addColumn<QString>("where"); // of the user's rule
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("heard"); // on stderr; empty: nothing at all
        const QString report = QStringLiteral("qt.webenginecontext.info=true");
        QTest::newRow("no rules") << QString() << QString() << QString();
        QTest::newRow("QT_LOGGING_RULES")
            << QStringLiteral("QT_LOGGING_RULES") << report << QStringLiteral("Init Parameters:");
        QTest::newRow("QT_LOGGING_CONF") << QStringLiteral("QT_LOGGING_CONF") << report
                                         << QStringLiteral("Init Parameters:");
        QTest::newRow("the user's qtlogging.ini")
            << QStringLiteral("qtlogging.ini") << QStringLiteral("qt.*=true") << QStringLiteral("Init Parameters:");
        QTest::newRow("a rule on something else")
            << QStringLiteral("qtlogging.ini") << QStringLiteral("qt.webenginecontext.debug=true") << QString();
        QTest::newRow("the page's console") << QStringLiteral("QT_LOGGING_RULES") << QStringLiteral("js.warning=true")
                                            << QStringLiteral("js: page warning");
    }
    void engineKeepsQuiet()
    {
        QFETCH(QString, where);
        QFETCH(QString, rule);
        QFETCH(QString, heard);
        QTemporaryDir config;
        QTemporaryDir runtime; // as a desktop session has one
        QVERIFY(config.isValid() && runtime.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        for (const char *name : {"QT_LOGGING_RULES", "QT_LOGGING_CONF", "QTWEBENGINE_CHROMIUM_FLAGS"})
            env.remove(QLatin1String(name));
        // The sandbox as the program handles it, not as the test suite does.
        env.remove(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        const QString ini = QStringLiteral("[Rules]\n") + rule + QLatin1Char('\n');
        if (where == QStringLiteral("QT_LOGGING_RULES")) {
            env.insert(where, rule);
        } else if (!where.isEmpty()) {
            const QString file = where == QStringLiteral("QT_LOGGING_CONF")
                                     ? config.filePath(QStringLiteral("rules.ini"))
                                     : config.filePath(QStringLiteral("QtProject/qtlogging.ini"));
            QVERIFY(QDir().mkpath(QFileInfo(file).path()));
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(ini.toUtf8()) == ini.toUtf8().size());
            if (where == QStringLiteral("QT_LOGGING_CONF"))
                env.insert(where, file);
        }

        QProcess run;
        run.setProcessEnvironment(env);
        run.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--speak")});
        QVERIFY(run.waitForFinished(3 * engineTimeout));
        const QString said = QString::fromLocal8Bit(run.readAllStandardError());
        QCOMPARE(run.exitCode(), 0);
        if (heard.isEmpty())
            QCOMPARE(said, QString());
        else
            QVERIFY2(said.contains(heard), qPrintable(said));
    }

    void rulesSpeakOf_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<bool>("speaks");
        QTest::newRow("the category") << "[Rules]\nqt.webenginecontext=false" << true;
        QTest::newRow("its information") << "[Rules]\n qt.webenginecontext.info = true " << true;
        QTest::newRow("a prefix") << "[Rules]\nqt.webengine*.info=true" << true;
        QTest::newRow("a suffix") << "[rules]\n*context=true" << true;
        QTest::newRow("everything") << "[Rules]\n*=true" << true;
        QTest::newRow("every information") << "[Rules]\n*.info=true" << true;
        QTest::newRow("its debug messages") << "[Rules]\nqt.webenginecontext.debug=true" << false;
        QTest::newRow("other categories") << "[Rules]\nqt.qpa.*=true\njs=true" << false;
        QTest::newRow("another section") << "[Other]\nqt.webenginecontext=true" << false;
        QTest::newRow("a comment") << "[Rules]\n;qt.webenginecontext=true" << false;
        QTest::newRow("empty") << "" << false;
    }
    void rulesSpeakOf()
    {
        QFETCH(QString, ini);
        QFETCH(bool, speaks);
        QCOMPARE(::rulesSpeakOf(ini, {QStringLiteral("qt.webenginecontext")}), speaks);
    }

    // A whole visit, site and cookies and stored data included, leaves the
    // user's home and the temporary folder as empty as it found them. Runs in
    // a process of its own so that what the engine writes on its way out is
    // counted too.
    void nothingPersisted()
    {
        QTemporaryDir home;
        QTemporaryDir temp;
        QTemporaryDir runtime; // the session's own, gone when the session ends
        QVERIFY(home.isValid() && temp.isValid() && runtime.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("TMPDIR"), temp.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
            env.remove(QLatin1String(name));
        // As root the program must turn the sandbox off by itself.
        if (geteuid() == 0)
            env.remove(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"));

        QProcess visit;
        visit.setProcessEnvironment(env);
        visit.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        visit.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--visit")});
        QVERIFY(visit.waitForFinished(3 * engineTimeout));
        QCOMPARE(visit.exitStatus(), QProcess::NormalExit);
        QCOMPARE(visit.exitCode(), 0);

        // Nor a helper process of the engine still running on that home.
        QTRY_COMPARE_WITH_TIMEOUT(processesWith("HOME=" + home.path().toLocal8Bit()), QStringList(), engineTimeout);
        for (const QTemporaryDir *dir : {&home, &temp}) {
            const QStringList left =
                QDir(dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char(' '))));
        }
    }
};

namespace {

// The browsing half of nothingPersisted(): 0 when every page loaded.
int visitAndLeave()
{
    PageServer server;
    int result = 0;
    {
        Fixture fixture;
        frmBrowser &browser = open();
        auto waitFor = [&](const QString &title) {
            if (!QTest::qWaitFor([&] { return browser.brwWebBrowser->LocationName() == title; }, engineTimeout)) {
                qWarning("visit: no page titled %s, but %s", qPrintable(title),
                         qPrintable(browser.brwWebBrowser->LocationName()));
                result = 1;
            }
        };
        waitFor(QStringLiteral("TEMPORIA - Welcome"));
        type(browser, server.url(QStringLiteral("store.html")));
        waitFor(QStringLiteral("Stored"));
        type(browser, server.url(QStringLiteral("a.html")));
        waitFor(QStringLiteral("Page A"));
        browser.Unload();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return result;
}

// The speaking half of engineKeepsQuiet(): the engine starts and shows a
// page that writes to its console; 0 when the page was shown.
int startAndSpeak()
{
    PageServer server;
    const std::unique_ptr<WebBrowser> view(engine().create(nullptr));
    view->Navigate(server.url(QStringLiteral("console.html")));
    return QTest::qWaitFor([&] { return !view->Busy() && view->LocationName() == QStringLiteral("Spoke"); },
                           engineTimeout)
               ? 0
               : 1;
}

} // namespace

// As in the program: no OpenGL sharing asked for at start; the web module
// arranges it when the first view is made.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (QCoreApplication::arguments().contains(QStringLiteral("--visit")))
        return visitAndLeave();
    if (QCoreApplication::arguments().contains(QStringLiteral("--speak")))
        return startAndSpeak();
    TestBrowserEngine test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "standin.h"
#include "tst_browserengine.moc"
