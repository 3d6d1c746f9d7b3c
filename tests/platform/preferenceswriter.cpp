// Changes the preferences in the file it is given, on and off, until it is
// killed (tst_preferences kills it in the middle of its writing).
#include "preferences.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    const QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    rt::Preferences preferences(QString::fromLocal8Bit(argv[1]));
    for (bool on = true;; on = !on)
        preferences.setWeekNumbers(on);
}
