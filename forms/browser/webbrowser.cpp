#include "webbrowser.h"

#include "runtimeerror.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPluginLoader>

namespace {

// Stands in for the page view when the web module cannot be loaded: the
// window still opens, closes and leads on; it just shows no pages.
class UnavailableBrowser final : public QLabel, public WebBrowser {
public:
    UnavailableBrowser(QWidget *parent, const QString &why)
        : QLabel(parent)
    {
        setText(QStringLiteral("Web pages cannot be shown here.\n\n%1").arg(why));
        setAlignment(Qt::AlignCenter);
        setWordWrap(true);
        setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    }
    QWidget *view() override { return this; }
    bool Navigate(const QString &) override { return false; }
    void GoHome() override {}
    void GoSearch() override {}
    void Stop() override {}
    void Refresh() override {}
    bool Busy() const override { return false; }
    QString LocationName() const override { return QStringLiteral("No page view"); }

protected:
    bool back() override { return false; }
    bool forward() override { return false; }
};

WebBrowserFactory *&current()
{
    static WebModuleLoader loader(WebModuleLoader::defaultFolders());
    static WebBrowserFactory *factory = &loader;
    return factory;
}

} // namespace

void WebBrowser::raiseNoStep()
{
    rt::raise(rt::err::MethodFailed);
}

WebModuleLoader::WebModuleLoader(QStringList folders)
    : m_folders(std::move(folders))
{
}

QStringList WebModuleLoader::defaultFolders()
{
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.path(), QDir::cleanPath(program.filePath(QStringLiteral(TEMPORIA_WEBMODULE_RELDIR)))};
}

namespace {

// Loading the engine reminds the program to share OpenGL contexts from its
// start; the module shares them itself when the first view is made, so the
// reminder is not passed on.
QtMessageHandler previousHandler = nullptr;

void withoutShareReminder(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("Qt WebEngine seems to be initialized from a plugin")))
        return;
    previousHandler(type, context, message);
}

} // namespace

WebBrowser *WebModuleLoader::create(QWidget *parent)
{
    if (!m_tried) {
        m_tried = true;
        QStringList errors;
        for (const QString &folder : std::as_const(m_folders)) {
            // The loader adds the platform's prefix and suffix (libtemporia-web.so).
            QPluginLoader plugin(QDir(folder).filePath(QStringLiteral("temporia-web")));
            previousHandler = qInstallMessageHandler(withoutShareReminder);
            const bool loaded = plugin.load();
            qInstallMessageHandler(previousHandler);
            if (!loaded) {
                errors << plugin.errorString();
                continue;
            }
            m_module = qobject_cast<WebModule *>(plugin.instance());
            if (m_module)
                break;
            errors << QStringLiteral("%1 is no web module").arg(plugin.fileName());
        }
        m_error = m_module ? QString() : errors.join(QLatin1Char('\n'));
    }
    if (!m_module)
        return new UnavailableBrowser(parent, m_error);
    return m_module->create(parent);
}

WebBrowserFactory &webBrowserFactory()
{
    return *current();
}

WebBrowserFactory *&installedWebBrowserFactory()
{
    return current();
}
