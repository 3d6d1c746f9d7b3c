#include "startup.h"

#include "calendar/form1.h"
#include "shell/frmsplash.h"

#include <optional>
#include <utility>

namespace {

std::optional<std::pair<int, int>> g_startMonth;

} // namespace

void startWindows(const StartOptions &options)
{
    g_startMonth.reset();
    if (options.year >= 0)
        g_startMonth = std::pair{options.year, options.month};
    if (options.splash) {
        rt::form<frmSplash>().setVisible(true);
        return;
    }
    // What the splash's unload does: the calendar, and with it the frame.
    rt::form<Form1>().setVisible(true);
    showStartMonth();
}

void showStartMonth()
{
    if (const auto month = std::exchange(g_startMonth, std::nullopt))
        rt::form<Form1>().showMonth(month->first, month->second);
}
