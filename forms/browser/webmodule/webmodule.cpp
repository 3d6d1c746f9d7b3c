// The web module: the page view on Qt WebEngine, built as a plugin of its own
// so that the program links the engine only when a browser window is first
// made (webbrowser.h loads it). It reaches nothing of the program but the
// WebBrowser interface and the site pages in the program's resources.

#include "enginebrowser.h"
#include "sitescheme.h"
#include "webbrowser.h"

#include <QObject>

#include <unistd.h>

namespace {

void startEngine()
{
    static const bool started = [] {
        // The engine's sandbox refuses to run as root; there, and only there,
        // the program goes without it.
        if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        SiteScheme::registerScheme();
        return true;
    }();
    (void)started;
}

} // namespace

class TemporiaWebModule final : public QObject, public WebModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.temporia.WebModule/1")
    Q_INTERFACES(WebModule)
public:
    WebBrowser *create(QWidget *parent) override
    {
        startEngine();
        return new EngineBrowser(parent);
    }
};

#include "webmodule.moc"
