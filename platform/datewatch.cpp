#include "datewatch.h"

#include "services.h"
#include "timer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QPointer>
#include <QSocketNotifier>

#include <algorithm>
#include <ctime>
#include <limits>
#include <vector>

#if defined(Q_OS_LINUX)
#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#endif
#if defined(Q_OS_WIN)
#include <QAbstractNativeEventFilter>

#include <windows.h>
#endif

namespace rt {
namespace {

std::vector<QPointer<DateWatch>> &watches()
{
    static std::vector<QPointer<DateWatch>> list;
    return list;
}

// The system's own word that its clock or time zone was set, made once, when
// the first watch needs it.
class SystemClockNotifier : public QObject
#if defined(Q_OS_WIN)
    ,
                            public QAbstractNativeEventFilter
#endif
{
public:
    SystemClockNotifier()
    {
#if defined(Q_OS_LINUX)
        // A timer on the wall clock that never expires but is cancelled
        // whenever the clock is set.
        m_fd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
        if (m_fd >= 0 && armCancelOnSet()) {
            auto *notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
            connect(notifier, &QSocketNotifier::activated, this, [this] {
                std::uint64_t expirations = 0;
                while (read(m_fd, &expirations, sizeof expirations) > 0) {
                }
                armCancelOnSet();
                DateWatch::systemClockChanged();
            });
        }
        // The time zone is the file /etc/localtime; changing it usually
        // replaces the file, which ends a watch on the file itself.
        auto *files = new QFileSystemWatcher(this);
        files->addPath(QStringLiteral("/etc"));
        connect(files, &QFileSystemWatcher::directoryChanged, this, [this] {
            const QString zone = zoneFile();
            if (zone == m_zone)
                return;
            m_zone = zone;
            tzset();
            DateWatch::systemClockChanged();
        });
        m_zone = zoneFile();
#elif defined(Q_OS_WIN)
        QCoreApplication::instance()->installNativeEventFilter(this);
#endif
    }
    ~SystemClockNotifier() override
    {
#if defined(Q_OS_LINUX)
        if (m_fd >= 0)
            close(m_fd);
#elif defined(Q_OS_WIN)
        if (QCoreApplication::instance())
            QCoreApplication::instance()->removeNativeEventFilter(this);
#endif
    }
    SystemClockNotifier(const SystemClockNotifier &) = delete;
    SystemClockNotifier &operator=(const SystemClockNotifier &) = delete;

#if defined(Q_OS_WIN)
    // Windows tells every top-level window when the date, time or time zone is set.
    bool nativeEventFilter(const QByteArray &, void *message, qintptr *) override
    {
        const auto *msg = static_cast<const MSG *>(message);
        if (msg->message == WM_TIMECHANGE
            || (msg->message == WM_SETTINGCHANGE && msg->lParam != 0
                && lstrcmpW(reinterpret_cast<LPCWSTR>(msg->lParam), L"intl") == 0))
            DateWatch::systemClockChanged();
        return false;
    }
#endif

private:
#if defined(Q_OS_LINUX)
    bool armCancelOnSet()
    {
        itimerspec never{};
        never.it_value.tv_sec = std::numeric_limits<time_t>::max() / 2;
        return timerfd_settime(m_fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &never, nullptr) == 0;
    }
    static QString zoneFile()
    {
        const QFileInfo info(QStringLiteral("/etc/localtime"));
        return info.symLinkTarget() + QLatin1Char('|') + QString::number(info.lastModified().toMSecsSinceEpoch());
    }
    int m_fd = -1;
    QString m_zone;
#endif
};

void watchTheSystemClock()
{
    static QPointer<SystemClockNotifier> notifier;
    if (!notifier && QCoreApplication::instance()) {
        notifier = new SystemClockNotifier;
        notifier->setParent(QCoreApplication::instance());
    }
}

} // namespace

DateWatch::DateWatch(QObject *owner)
    : QObject(owner)
{
    watches().emplace_back(this);
    m_midnight = new Timer(this, 1, false, [this] { changed(); });
    arm();
    watchTheSystemClock();
}

DateWatch::~DateWatch()
{
    auto &list = watches();
    list.erase(
        std::remove_if(list.begin(), list.end(), [this](const QPointer<DateWatch> &w) { return !w || w == this; }),
        list.end());
}

void DateWatch::systemClockChanged()
{
    // Copy: a handler may make or end a watch.
    const std::vector<QPointer<DateWatch>> list = watches();
    for (const QPointer<DateWatch> &watch : list) {
        if (watch)
            watch->changed();
    }
}

void DateWatch::changed()
{
    arm();
    emit dateMayHaveChanged();
}

void DateWatch::arm()
{
    const std::int64_t ms = services().date->msecsToMidnight();
    // A day at most; a timer a moment early finds the same date and is set again.
    m_midnight->setInterval(static_cast<int>(std::clamp<std::int64_t>(ms, 1, 24 * 3600 * 1000)));
    m_midnight->setEnabled(true);
}

} // namespace rt
