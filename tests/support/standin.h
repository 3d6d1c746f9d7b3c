// Stand-ins put where the program looks for one of its seams, for the
// lifetime of a StandIn object; the seam gets back what it held before, so
// tests can nest them. The seams and where each is held:
//   rt::services()                   clock, date, messages, launcher, files
//   reg::installedRegistry()         the registry the About window reads
//   installedWebBrowserFactory()     the page views of the site browser
//   installedPrintDialogs()          the calendar's print dialogs
#pragma once

#include <utility>

namespace testing {

template <typename T> class StandIn {
public:
    template <typename U>
    StandIn(T &seam, U &&standIn)
        : m_seam(seam)
        , m_saved(std::exchange(seam, std::forward<U>(standIn)))
    {
    }
    ~StandIn() { m_seam = std::move(m_saved); }
    StandIn(const StandIn &) = delete;
    StandIn &operator=(const StandIn &) = delete;

private:
    T &m_seam;
    T m_saved;
};

// The seam's own type, whatever the stand-in's: `StandIn scope(reg::installedRegistry(), &fake);`
template <typename T, typename U> StandIn(T &, U &&) -> StandIn<T>;

} // namespace testing
