#pragma once

#include "services.h"

#include <cstdint>
#include <map>

namespace rt {

// A clock that stands still until advanced: a 20-second slideshow is tested in
// microseconds. Timers due within one advance fire in time order (ties in the
// order they were started), each seeing now() at its own due time.
class ManualClock final : public Clock {
public:
    std::unique_ptr<TimerBackend> createTimer(std::function<void()> fire) override;

    void advance(std::int64_t ms);
    [[nodiscard]] std::int64_t now() const { return m_now; }
    [[nodiscard]] int activeTimers() const;

private:
    friend class ManualTimer;
    struct Entry {
        std::function<void()> fire;
        std::int64_t due = 0;
        std::int64_t interval = 0;
        std::uint64_t order = 0;
        bool active = false;
    };
    std::int64_t m_now = 0;
    std::uint64_t m_nextId = 0;
    std::uint64_t m_nextOrder = 0;
    std::map<std::uint64_t, Entry> m_entries;
};

} // namespace rt
