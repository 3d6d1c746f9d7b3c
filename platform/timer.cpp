#include "timer.h"

#include "dispatch.h"
#include "services.h"

namespace rt {

Timer::Timer(QObject *owner, int intervalMs, bool enabled, std::function<void()> handler)
    : QObject(owner)
    , m_interval(intervalMs)
    , m_handler(std::move(handler))
    , m_backend(services().clock->createTimer([this] { dispatch(m_handler); }))
{
    setEnabled(enabled);
}

Timer::~Timer() = default;

void Timer::setInterval(int intervalMs)
{
    m_interval = intervalMs;
    restart();
}

void Timer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    restart();
}

void Timer::restart()
{
    // An interval of 0 keeps the timer silent, as does Enabled false.
    if (m_enabled && m_interval > 0)
        m_backend->start(m_interval);
    else
        m_backend->stop();
}

} // namespace rt
