// The web module: the page view on Qt WebEngine, built as a plugin of its own
// so that the program links the engine only when a browser window is first
// made (webbrowser.h loads it). It reaches nothing of the program but the
// WebBrowser interface and the site pages in the program's resources.

#include "enginebrowser.h"
#include "sitescheme.h"
#include "webbrowser.h"

#include <QCoreApplication>
#include <QObject>
#include <QOpenGLContext>

#include <unistd.h>

// Exported by Qt GUI: the context every OpenGL context of the process shares.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);

namespace {

// The engine draws through a context shared with the windows. Qt makes one at
// start-up when asked (AA_ShareOpenGLContexts), but that loads OpenGL into
// every run, browser or not: tens of megabytes and a slower start. The module
// makes it here instead, before the first page view.
void shareOpenGLContexts()
{
    if (QOpenGLContext::globalShareContext())
        return;
    auto *context = new QOpenGLContext(QCoreApplication::instance());
    context->create();
    qt_gl_set_global_share_context(context);
}

void startEngine()
{
    static const bool started = [] {
        // The engine's sandbox refuses to run as root; there, and only there,
        // the program goes without it.
        if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        shareOpenGLContexts();
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
