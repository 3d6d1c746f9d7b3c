#include "manualclock.h"

#include <algorithm>

namespace rt {

class ManualTimer final : public TimerBackend {
public:
    ManualTimer(ManualClock &clock, std::uint64_t id)
        : m_clock(clock)
        , m_id(id)
    {
    }
    ~ManualTimer() override { m_clock.m_entries.erase(m_id); }
    void start(int intervalMs) override
    {
        auto &e = m_clock.m_entries[m_id];
        e.interval = std::max(intervalMs, 1);
        e.due = m_clock.m_now + e.interval;
        e.order = m_clock.m_nextOrder++;
        e.active = true;
    }
    void stop() override { m_clock.m_entries[m_id].active = false; }

private:
    ManualClock &m_clock;
    std::uint64_t m_id;
};

std::unique_ptr<TimerBackend> ManualClock::createTimer(std::function<void()> fire)
{
    const std::uint64_t id = m_nextId++;
    m_entries[id].fire = std::move(fire);
    return std::make_unique<ManualTimer>(*this, id);
}

void ManualClock::advance(std::int64_t ms)
{
    const std::int64_t target = m_now + ms;
    for (;;) {
        auto next = m_entries.end();
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            const Entry &e = it->second;
            if (!e.active || e.due > target)
                continue;
            if (next == m_entries.end() || e.due < next->second.due
                || (e.due == next->second.due && e.order < next->second.order))
                next = it;
        }
        if (next == m_entries.end())
            break;
        m_now = next->second.due;
        next->second.due += next->second.interval;
        next->second.order = m_nextOrder++;
        // Copy: the handler may stop or destroy this very timer.
        const auto fire = next->second.fire;
        fire();
    }
    m_now = target;
}

int ManualClock::activeTimers() const
{
    return static_cast<int>(
        std::count_if(m_entries.begin(), m_entries.end(), [](const auto &kv) { return kv.second.active; }));
}

} // namespace rt
