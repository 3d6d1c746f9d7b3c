#include "startup.h"

#include "calendar/form1.h"
#include "shell/frmsplash.h"
#include "shell/mdiform1.h"

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
        frmSplash &splash = rt::form<frmSplash>();
        splash.setVisible(true);
        // The splash's seconds go to what the frame and the calendar will
        // need, once the splash is on the screen and whenever the person
        // gives the program a moment; their loads stay where they are.
        splash.whenFirstOnScreen([&splash] {
            rt::whenIdle(&splash, [] { MDIForm1::prepareLoad(); });
            rt::whenIdle(&splash, [] { Form1::prepareLoad(); });
        });
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
