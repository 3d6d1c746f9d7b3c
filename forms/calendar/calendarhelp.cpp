#include "calendarhelp.h"

#include "calendar/form1.h"
#include "engine/calendar.h"
#include "help/helpwindow.h"

#include <QApplication>
#include <QShortcut>

QString helpPageFor(const QWidget *focus)
{
    if (!rt::isLoaded<Form1>())
        return QStringLiteral("index.html");
    const Form1 &f = rt::form<Form1>();
    // A control's own parts (a selector's text field) speak for it.
    for (const QWidget *w = focus; w; w = w->parentWidget()) {
        if (w == f.go)
            return QStringLiteral("calendar.html#button");
        for (const rt::ComboBox *selector : {f.monthc, f.millenium, f.century, f.decade, f.yearc}) {
            if (w == selector)
                return QStringLiteral("calendar.html");
        }
        for (const rt::TextBox *cell : f.text1) {
            if (w != cell)
                continue;
            // A month whose February the program counts apart from the usual calendar.
            const int year = f.shownYear();
            const bool usualLeap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
            return usualLeap != engine::isLeapYear(year) && f.shownMonth() >= 2 ? QStringLiteral("leap.html#difference")
                                                                                : QStringLiteral("calendar.html#grid");
        }
    }
    return QStringLiteral("index.html");
}

void addHelpKey(rt::MdiForm &frame)
{
    QWidget *window = frame.window();
    auto *key = new QShortcut(QKeySequence::HelpContents, window);
    QObject::connect(key, &QShortcut::activated, window, [window] {
        rt::dispatch([window] { HelpWindow::open(window, helpPageFor(QApplication::focusWidget())); });
    });
}
