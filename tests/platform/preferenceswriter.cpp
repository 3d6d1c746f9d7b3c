// Changes the preferences in the file it is given, on and off, until it is
// killed (tst_preferences kills it in the middle of its writing); says
// "written" once the file has been written the first time.
#include "preferences.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    const QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    rt::Preferences preferences(QString::fromLocal8Bit(argv[1]));
    preferences.setWeekNumbers(true);
    // Written once: the test may kill it from now on.
    std::puts("written");
    std::fflush(stdout);
    for (bool on = false;; on = !on)
        preferences.setWeekNumbers(on);
}
