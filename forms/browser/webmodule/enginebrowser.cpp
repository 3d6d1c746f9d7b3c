#include "enginebrowser.h"

#include "address.h"
#include "engineoutput.h"
#include "sitescheme.h"

#include <QCoreApplication>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

// A page's console is for whoever writes the page; it goes to the terminal
// only when a logging rule asks for it.
class Page final : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int line,
                                  const QString &source) override
    {
        const QString text = QStringLiteral("%1 (%2:%3)").arg(message, source).arg(line);
        switch (level) {
        case InfoMessageLevel:
            qCInfo(pageConsole, "%ls", qUtf16Printable(text));
            break;
        case WarningMessageLevel:
            qCWarning(pageConsole, "%ls", qUtf16Printable(text));
            break;
        case ErrorMessageLevel:
            qCCritical(pageConsole, "%ls", qUtf16Printable(text));
            break;
        }
    }
};

} // namespace

EngineBrowser::EngineBrowser(QWidget *parent)
    : QWidget(parent)
    , m_site(new SiteScheme)
    , m_profile(new QWebEngineProfile) // no storage name: off the record
    , m_view(new QWebEngineView(this))
{
    // Off the record, the engine still makes an (empty) storage folder when a
    // page opens a database. No folder can be made inside the program file, so
    // nothing reaches the disk; the database lives in memory all the same.
    m_profile->setPersistentStoragePath(QCoreApplication::applicationFilePath() + QStringLiteral("/no-storage"));
    m_profile->installUrlSchemeHandler(SiteScheme::name, m_site);
    // Other programs are never started for a link's scheme (mailto: and the like).
    m_profile->settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
    m_view->setPage(new Page(m_profile, m_view));

    // Inside the window's page view, the page the engine draws.
    m_view->setAccessibleName(QStringLiteral("Page"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);

    m_giveUp.setSingleShot(true);
    m_giveUp.setInterval(2000);
    connect(&m_giveUp, &QTimer::timeout, this, [this] { m_requested = false; });
    QWebEnginePage *page = m_view->page();
    connect(page, &QWebEnginePage::loadStarted, this, [this] {
        m_requested = false;
        m_giveUp.stop();
    });
    // A jump within the page shown loads nothing.
    connect(page, &QWebEnginePage::urlChanged, this, [this] {
        if (!m_view->page()->isLoading())
            m_requested = false;
    });
    connect(page, &QWebEnginePage::loadFinished, this, [this] { downloadComplete(); });
    // The page's renderer ended (killed, out of memory, crashed): the view
    // would stay blank, and a load in progress would never finish. The view
    // says so on a page of the program's own instead, which a new renderer
    // draws; Refresh loads the page that stopped again.
    connect(page, &QWebEnginePage::renderProcessTerminated, this, [this] {
        m_requested = false;
        m_giveUp.stop();
        const QUrl shown = m_view->url();
        m_stopped = isStoppedUrl(shown) ? stoppedAddress(shown) : shown;
        // Not from within the engine's report of the ended process.
        QMetaObject::invokeMethod(
            this, [this] { m_view->load(stoppedUrl(m_stopped)); }, Qt::QueuedConnection);
    });
}

EngineBrowser::~EngineBrowser()
{
    m_view->page()->disconnect(this);
    // Pages before their profile, the profile before its scheme handler.
    delete m_view;
    delete m_profile;
    delete m_site;
}

void EngineBrowser::requested()
{
    m_requested = true;
    m_giveUp.start();
}

void EngineBrowser::load(const QUrl &url)
{
    requested();
    m_view->load(url);
}

bool EngineBrowser::Navigate(const QString &address)
{
    const Address read = readAddress(address);
    if (read.refusal != Refusal::None) {
        // The program's own page, at once; no request goes out.
        m_view->load(refusalUrl(address));
        return false;
    }
    load(read.url);
    return true;
}

void EngineBrowser::GoHome()
{
    load(QUrl(QLatin1String(homePage)));
}

void EngineBrowser::GoSearch()
{
    load(QUrl(QLatin1String(searchPage)));
}

void EngineBrowser::Stop()
{
    m_requested = false;
    m_giveUp.stop();
    m_view->stop();
}

void EngineBrowser::Refresh()
{
    if (isStoppedUrl(m_view->url())) {
        load(stoppedAddress(m_view->url()));
        return;
    }
    requested();
    m_view->reload();
}

bool EngineBrowser::Busy() const
{
    return m_requested || m_view->page()->isLoading();
}

QString EngineBrowser::LocationName() const
{
    return m_view->title();
}

bool EngineBrowser::back()
{
    if (!m_view->history()->canGoBack())
        return false;
    requested();
    m_view->back();
    return true;
}

bool EngineBrowser::forward()
{
    if (!m_view->history()->canGoForward())
        return false;
    requested();
    m_view->forward();
    return true;
}
