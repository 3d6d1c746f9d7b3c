#include "services.h"
#include "preferences.h"
#include "windowslauncher.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <mutex>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/close_range.h>
#endif
#endif

namespace rt {
namespace {

class QtTimerBackend final : public TimerBackend {
public:
    explicit QtTimerBackend(std::function<void()> fire)
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, std::move(fire));
    }
    void start(int intervalMs) override { m_timer.start(intervalMs); }
    void stop() override { m_timer.stop(); }

private:
    QTimer m_timer;
};

class RealClock final : public Clock {
public:
    std::unique_ptr<TimerBackend> createTimer(std::function<void()> fire) override
    {
        return std::make_unique<QtTimerBackend>(std::move(fire));
    }
};

// Milliseconds from now to the next local midnight.
std::int64_t msecsToMidnightFrom(const QDateTime &now)
{
    return now.msecsTo(now.date().addDays(1).startOfDay());
}

class RealDate final : public DateSource {
public:
    // Reading the local date converts the time by the time zone, some
    // microseconds, and a drawing asks for it each time. It is kept for a
    // quarter of a second, and only while the wall clock has moved as the
    // steady one has (a clock set by hand shows at once) and has not reached
    // the next local midnight; a new time zone shows within that quarter.
    QDate today() const override
    {
        using namespace std::chrono;
        const auto steady = steady_clock::now();
        const auto wall = system_clock::now();
        const std::lock_guard lock(m_mutex);
        const auto sinceSteady = steady - m_steadyAt;
        const auto sinceWall = wall - m_wallAt;
        if (m_date.isValid() && sinceSteady < milliseconds(250) && sinceWall >= nanoseconds::zero()
            && abs(duration_cast<nanoseconds>(sinceWall - sinceSteady)) < milliseconds(10) && wall < m_midnight)
            return m_date;
        const QDateTime now = QDateTime::currentDateTime();
        m_date = now.date();
        m_steadyAt = steady;
        m_wallAt = wall;
        m_midnight = wall + milliseconds(std::max<std::int64_t>(msecsToMidnightFrom(now), 0));
        return m_date;
    }
    std::int64_t msecsToMidnight() const override
    {
        return std::max<std::int64_t>(msecsToMidnightFrom(QDateTime::currentDateTime()), 1);
    }

private:
    mutable std::mutex m_mutex;
    mutable QDate m_date;
    mutable std::chrono::steady_clock::time_point m_steadyAt;
    mutable std::chrono::system_clock::time_point m_wallAt;
    mutable std::chrono::system_clock::time_point m_midnight;
};

class RealMessages final : public MessageSink {
public:
    void message(const QString &text, const QString &title) override
    {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
        box.exec();
    }
    void beep() override { QApplication::beep(); }
};

#ifndef _WIN32
// Marks every open file but the standard three to be closed when a program starts.
void closeOnStart()
{
#ifdef __linux__
    if (::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) == 0)
        return;
#endif
    const long open = std::min(::sysconf(_SC_OPEN_MAX), 65536L);
    for (int fd = 3; fd < open; ++fd)
        ::fcntl(fd, F_SETFD, ::fcntl(fd, F_GETFD) | FD_CLOEXEC);
}
#endif

class RealLauncher final : public Launcher {
public:
    bool start(const QString &program) override
    {
#ifdef _WIN32
        return rt::startWindowsProgram(program.toStdWString());
#else
        // startDetached with an argument list runs the file itself: no shell,
        // no splitting at blanks. The program started gets none of this
        // one's open files: holding the web engine's sockets, it would keep
        // the engine's helper processes alive after this program ended, for
        // as long as it runs. The engine and its libraries leave some open
        // across a start; none of them is handed on by inheritance on purpose.
        if (program.isEmpty())
            return false;
        closeOnStart();
        return QProcess::startDetached(program, {});
#endif
    }
};

class RealFileSystem final : public FileSystem {
public:
    bool isFile(const QString &path) const override { return QFileInfo(path).isFile(); }
};

} // namespace

Services realServices()
{
    static RealClock clock;
    static RealDate date;
    static RealMessages messages;
    static RealLauncher launcher;
    static RealFileSystem files;
    static Preferences preferences(Preferences::standardFile());
    return {&clock, &date, &messages, &launcher, &files, [](int code) { QCoreApplication::exit(code); }, &preferences};
}

Services &services()
{
    static Services current = realServices();
    return current;
}

Services withRealServices(Services partial)
{
    const Services real = realServices();
    if (!partial.clock)
        partial.clock = real.clock;
    if (!partial.date)
        partial.date = real.date;
    if (!partial.messages)
        partial.messages = real.messages;
    if (!partial.launcher)
        partial.launcher = real.launcher;
    if (!partial.files)
        partial.files = real.files;
    if (!partial.endProgram)
        partial.endProgram = real.endProgram;
    if (!partial.preferences)
        partial.preferences = real.preferences;
    return partial;
}

} // namespace rt
