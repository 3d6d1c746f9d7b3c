#include "startup.h"

#include "calendar/form1.h"
#include "shell/frmsplash.h"
#include "shell/mdiform1.h"

#include <optional>
#include <utility>

namespace {

// The month, and the day in it (0 for none), the command line named.
struct StartMonth {
    int year;
    int month;
    int day;
};
std::optional<StartMonth> g_startMonth;

} // namespace

void startWindows(const StartOptions &options)
{
    g_startMonth.reset();
    if (options.year >= 0)
        g_startMonth = StartMonth{options.year, options.month, options.day};
    // -w holds for this run, whatever the person chose before; not remembered.
    if (options.weekNumbers)
        rt::services().preferences->setWeekNumbersForThisRun(*options.weekNumbers);
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
    if (const auto start = std::exchange(g_startMonth, std::nullopt)) {
        Form1 &calendar = rt::form<Form1>();
        if (start->day > 0)
            calendar.chooseDay({start->year, start->month, start->day});
        else
            calendar.showMonth(start->year, start->month);
    }
}
