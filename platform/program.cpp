#include "program.h"

#include "accessibility.h"
#include "app.h"
#include "dispatch.h"
#include "fonts.h"
#include "form.h"
#include "pictureloader.h"
#include "style.h"
#include "tuning.h"

#include <QApplication>
#include <QByteArray>
#include <QIcon>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <csignal>

#include <cstdio>
#include <cstdlib>
#if defined(Q_OS_LINUX)
#include <sys/mman.h>
#endif
#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <signal.h> // NOLINT(modernize-deprecated-headers): sigaction() is POSIX, not in <csignal>
#include <unistd.h>
#endif

namespace rt {
namespace {

std::string g_programName;
std::string g_display;

// What the window system's own libraries print straight on stderr while the
// application object connects (the Wayland client library's complaint about
// XDG_RUNTIME_DIR, say) goes to memory meanwhile, and only reaches the
// terminal once the connection is made.
class HeldStderr {
public:
    HeldStderr()
    {
#if defined(Q_OS_LINUX)
        // With stderr closed there is nothing to hold, and the memory file
        // would take its number.
        if (fcntl(2, F_GETFD) < 0)
            return;
        std::fflush(stderr);
        m_held = memfd_create("temporia-stderr", MFD_CLOEXEC);
        m_saved = m_held < 0 ? -1 : fcntl(2, F_DUPFD_CLOEXEC, 3);
        if (m_saved < 0 || dup2(m_held, 2) < 0)
            drop();
#endif
    }
    ~HeldStderr()
    {
        release(true);
    }
    HeldStderr(const HeldStderr &) = delete;
    HeldStderr &operator=(const HeldStderr &) = delete;

    // Gives stderr back, with what was held written to it or thrown away.
    void release(bool passOn)
    {
#if defined(Q_OS_LINUX)
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        dup2(m_saved, 2);
        if (passOn && lseek(m_held, 0, SEEK_SET) == 0) {
            char buffer[4096];
            ssize_t n = 0;
            while ((n = read(m_held, buffer, sizeof buffer)) > 0) {
                if (write(2, buffer, static_cast<size_t>(n)) != n)
                    break;
            }
        }
        drop();
#else
        (void)passOn;
#endif
    }

private:
    void drop()
    {
#if defined(Q_OS_LINUX)
        if (m_saved >= 0)
            close(m_saved);
        if (m_held >= 0)
            close(m_held);
        m_saved = m_held = -1;
#endif
    }

    int m_saved = -1;
    int m_held = -1;
};
HeldStderr *g_heldStderr = nullptr;

void noDisplay(const std::string &why)
{
    if (g_heldStderr)
        g_heldStderr->release(false);
    std::fprintf(stderr, "%s: %s\n", g_programName.c_str(), why.c_str());
    std::fflush(stderr);
}

// "cannot open the display (:1)", "lost the display": what befell the
// display, and which one, where the program knows it.
void noDisplayNamed(const std::string &what)
{
    noDisplay(g_display.empty() ? what : what + " (" + g_display + ")");
}

// While the application object connects to the display, the platform
// plugin's own complaints are held back: if the connection fails they are
// replaced by one line, else they are passed on.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::vector<HeldMessage> g_held;

void whileConnecting(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        noDisplayNamed("cannot open the display");
        // Exit here: returning would abort the program.
        std::_Exit(1);
    }
    g_held.push_back({type, QByteArray(context.category ? context.category : ""), text});
}

// A display that goes away while the program runs ends the program the same
// way as one that cannot be opened: one line and status 1. The Wayland
// plugin reports the broken connection itself (as a warning before it
// exits, or as a fatal message, an abort, depending on Qt's version); its
// line is replaced by the program's. The web engine's helpers end by themselves once the program's
// end closes their channels to it.
QtMessageHandler g_afterConnecting = nullptr;

// Says so and ends at once, without the destructors of statics: the X11
// plugin would go on to call exit(1), and those destructors race a picture
// still being decoded on a worker thread. A plugin's reading thread and the
// main thread may both find the connection broken: the first one says so
// and ends the program, the other waits for that end.
[[noreturn]] void lostDisplay()
{
    static std::atomic_flag said = ATOMIC_FLAG_INIT;
    if (said.test_and_set()) {
        for (;;)
            std::this_thread::sleep_for(std::chrono::hours(1));
    }
    noDisplayNamed("lost the display");
    std::fflush(nullptr);
    std::_Exit(1);
}

void whileConnected(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (((type == QtWarningMsg || type == QtFatalMsg) && text.startsWith(QLatin1String("The Wayland connection")))
        || text.startsWith(QLatin1String("The X11 connection broke")))
        lostDisplay();
    if (g_afterConnecting)
        g_afterConnecting(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

// The program writes no file, and that includes the compiled shaders a view
// drawn with OpenGL (the web view) would otherwise leave in the user's cache
// folder: Qt's own cache and the drivers' (Mesa, NVIDIA). Both are read when
// the first GL context is made, so this comes before the application object.
// A setting the user made for a driver stays.
void keepNothingOnDisk()
{
    QCoreApplication::setAttribute(Qt::AA_DisableShaderDiskCache);
    if (!qEnvironmentVariableIsSet("MESA_SHADER_CACHE_DISABLE"))
        qputenv("MESA_SHADER_CACHE_DISABLE", "true");
    if (!qEnvironmentVariableIsSet("__GL_SHADER_DISK_CACHE"))
        qputenv("__GL_SHADER_DISK_CACHE", "0");
}

#if defined(Q_OS_UNIX)
// The signals that ask a desktop program to end: from the session (SIGTERM
// at logout, SIGHUP when its terminal goes) and from the keyboard (SIGINT).
// The handler only passes the number on through a pipe; the event loop then
// ends the program.
constexpr int endSignals[] = {SIGTERM, SIGINT, SIGHUP};
int g_signalPipe[2] = {-1, -1};

void onEndSignal(int number)
{
    // A second signal while the program ends takes its default action at once.
    struct sigaction plain {};
    plain.sa_handler = SIG_DFL;
    for (const int s : endSignals)
        sigaction(s, &plain, nullptr);
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
    errno = saved;
}

// Ends as the signal asked: the windows go without a word (no handler, no
// next window of the chain), the web engine's page views with them, which
// ends its helper processes; then the signal's default action ends the
// process, so that whoever sent it sees it ended by that signal.
void endOnSignals()
{
    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [notifier] {
        unsigned char number = 0;
        if (::read(g_signalPipe[0], &number, 1) != 1)
            return;
        notifier->setEnabled(false);
        Forms::destroyAll();
        std::fflush(nullptr);
        ::raise(number);
        // Blocked by whoever started the program: end with the status a shell gives.
        std::_Exit(128 + number);
    });
    struct sigaction action {};
    action.sa_handler = onEndSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int s : endSignals)
        sigaction(s, &action, nullptr);
}
#else
void endOnSignals() {}
#endif

} // namespace

void setProgramIcon(const QStringList &iconImages)
{
    QIcon icon;
    for (const QString &image : iconImages)
        icon.addPixmap(loadPixmap(image));
    QApplication::setWindowIcon(icon);
}

int runProgram(int argc, char *argv[], const QStringList &iconImages, const std::function<void()> &startUp)
{
    g_programName = argc > 0 ? std::filesystem::path(argv[0]).filename().string() : "temporia";
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // On X11 and Wayland desktops one of these names the display.
    const std::string platform = environment("QT_QPA_PLATFORM");
    const std::string x11 = environment("DISPLAY");
    const std::string wayland = environment("WAYLAND_DISPLAY");
    if (platform.empty() && x11.empty() && wayland.empty()) {
        noDisplay("no display to show windows on: neither DISPLAY nor WAYLAND_DISPLAY is set");
        return 1;
    }
    g_display = !platform.empty() ? "QT_QPA_PLATFORM=" + platform
                : !x11.empty()    ? "DISPLAY=" + x11
                                  : "WAYLAND_DISPLAY=" + wayland;
#endif

    keepNothingOnDisk();
    tuneAllocator();
    installAccessibility();
    const QtMessageHandler previous = qInstallMessageHandler(whileConnecting);
    auto heldStderr = std::make_unique<HeldStderr>();
    g_heldStderr = heldStderr.get();
    QApplication app(argc, argv);
    g_heldStderr = nullptr;
    heldStderr.reset();
    g_afterConnecting = previous;
    qInstallMessageHandler(whileConnected);
    for (const HeldMessage &m : g_held) {
        const QMessageLogContext context(nullptr, 0, nullptr, m.category.isEmpty() ? nullptr : m.category.constData());
        qt_message_output(m.type, context, m.text);
    }
    g_held.clear();

    installStyle();
    QApplication::setApplicationName(App().Title);
    // The desktop entry is named after the executable.
    QGuiApplication::setDesktopFileName(QString::fromStdString(g_programName));
    setProgramIcon(iconImages);
    // The program ends when no form is loaded, not when its last window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    installFonts();

    endOnSignals();
    dispatch(startUp);
    return QApplication::exec();
}

} // namespace rt
