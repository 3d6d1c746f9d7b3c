#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace rt {

class TimerBackend;

// The Timer control: fires its handler every Interval milliseconds while
// Enabled, the first time one interval after it was enabled. Time comes from
// the services' clock, so tests drive it with the manual clock.
class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject *owner, int intervalMs, bool enabled, std::function<void()> handler);
    ~Timer() override;

    [[nodiscard]] int Interval() const { return m_interval; }
    void setInterval(int intervalMs);
    [[nodiscard]] bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

private:
    void restart();

    int m_interval;
    bool m_enabled = false;
    std::function<void()> m_handler;
    std::unique_ptr<TimerBackend> m_backend;
};

} // namespace rt
