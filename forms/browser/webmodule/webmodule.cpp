// The web module: the page view on Qt WebEngine, built as a plugin of its own
// so that the program links the engine only when a browser window is first
// made (webbrowser.h loads it). It reaches nothing of the program but the
// WebBrowser interface and the site pages in the program's resources.

#include "enginebrowser.h"
#include "engineoutput.h"
#include "sitescheme.h"
#include "webbrowser.h"

#include <QCoreApplication>
#include <QDir>
#include <QObject>
#include <QOpenGLContext>
#include <QQuickWindow>

#include <unistd.h>

#include <utility>

// Exported by Qt GUI: the context every OpenGL context of the process shares.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);

namespace {

// Without a graphics device OpenGL is Mesa's software rasteriser: slower than
// the engine's own software compositor, and it loads the driver and its code
// generator, tens of megabytes, before the first page. There the page view
// composes in software. A scene graph the user chose stands.
bool composeInSoftware()
{
    const QByteArray chosen = qgetenv("QT_QUICK_BACKEND");
    if (!chosen.isEmpty())
        return chosen == "software";
#ifdef Q_OS_LINUX
    const QDir devices(QStringLiteral("/dev/dri"));
    return devices.entryList({QStringLiteral("card*"), QStringLiteral("renderD*")}, QDir::System).isEmpty();
#else
    return false;
#endif
}

// The engine draws through a context shared with the windows. Qt makes one at
// start-up when asked (AA_ShareOpenGLContexts, the public way), but that loads
// OpenGL into every run, browser or not: tens of megabytes and a slower start.
// The module makes it here instead, before the first page view, through the
// one private symbol of Qt the program uses; Qt has no public setter for the
// shared context. Composing in software the context is never made: the engine
// only reads its format. A Qt that drops the symbol fails to link this module
// (it is linked with every symbol resolved); one that stops reading it leaves
// the engine without a shared context, and tst_browserengine (from
// opensTheProgramsSite on, which shows the first page) fails.
void shareOpenGLContexts(bool software)
{
    if (QOpenGLContext::globalShareContext())
        return;
    auto *context = new QOpenGLContext(QCoreApplication::instance());
    if (!software)
        context->create();
    qt_gl_set_global_share_context(context);
}

// Asking whether OpenGL works loads the window system's OpenGL integration,
// and with it the driver. The engine asks while it starts, so in software the
// question is answered "no" for that moment; the integration is chosen once,
// at the first question.
class WithoutOpenGL {
public:
    explicit WithoutOpenGL(bool active)
        : m_active(active && !qEnvironmentVariableIsSet(variable))
    {
        if (m_active)
            qputenv(variable, "none");
    }
    ~WithoutOpenGL()
    {
        if (m_active)
            qunsetenv(variable);
    }
    WithoutOpenGL(const WithoutOpenGL &) = delete;
    WithoutOpenGL &operator=(const WithoutOpenGL &) = delete;

private:
    static constexpr const char *variable = "QT_XCB_GL_INTEGRATION";
    bool m_active;
};

// Appends a switch to the engine's command line, after what the user set,
// unless the user set that switch already.
void addEngineSwitch(const QByteArray &name, const QByteArray &value = {})
{
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    for (const QByteArray &flag : flags.split(' ')) {
        if (flag == name || flag.startsWith(name + '='))
            return;
    }
    const QByteArray flag = value.isEmpty() ? name : name + '=' + value;
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.isEmpty() ? flag : flags + ' ' + flag);
}

// Starts the engine's side of the program once, before the first page view.
// True for that call when the view composes in software.
bool startEngine()
{
    static bool started = false;
    if (std::exchange(started, true))
        return false;
    // The engine's sandbox refuses to run as root; there, and only there,
    // the program goes without it. The engine's own switch does it quietly,
    // where QTWEBENGINE_DISABLE_SANDBOX would report it as the user's choice.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        addEngineSwitch("--no-sandbox");
    // The engine's own log prints its errors on the terminal whatever the
    // build, and they are notes on its inner workings (a graphics channel
    // that had to be made again, say), nothing the user can act on. Only
    // what ends the engine is printed; a --log-level of the user's stands.
    addEngineSwitch("--log-level", "3");
    // A screen reader reads the pages too. The engine leaves them out on
    // Linux unless asked, for the cost, which it pays only while a screen
    // reader is running.
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY"))
        qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
    const bool software = composeInSoftware();
    quietEngineOutput(software);
    if (software)
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    shareOpenGLContexts(software);
    SiteScheme::registerScheme();
    return software;
}

} // namespace

class TemporiaWebModule final : public QObject, public WebModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.temporia.WebModule/1")
    Q_INTERFACES(WebModule)
public:
    WebBrowser *create(QWidget *parent) override
    {
        // The engine itself starts with the first browser's profile.
        const WithoutOpenGL withoutOpenGL(startEngine());
        return new EngineBrowser(parent);
    }
};

#include "webmodule.moc"
