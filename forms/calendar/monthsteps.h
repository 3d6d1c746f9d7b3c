// Steps through months and years the way calendars people know do: PageUp
// and PageDown a month, with Ctrl or Shift a year, Ctrl+Home today's month,
// and the mouse wheel over the grid a month a notch (a year with Ctrl). In
// the grid the arrow keys move between days (Left and Right a day, Up and
// Down a week, Home and End to the month's first and last day), into the
// month before or after past its ends; the cells that take typing keep Left,
// Right, Home and End for their text cursor. A step chooses the new month in
// the five selectors as a person would and draws it with the button's own
// code. It adds no control to the window: it watches the window's own
// controls.
#pragma once

#include <QObject>

class CalendarGrid;
class QKeyEvent;
class QWheelEvent;

class MonthSteps : public QObject {
    Q_OBJECT
public:
    // Lives as long as the window's controls.
    explicit MonthSteps(CalendarGrid &grid);

    // Moves the shown month `count` steps of `unit` months (1 or 12). A step
    // that would leave the calendar (before January 0, after December 9999)
    // moves nothing and beeps; the steps before it are taken.
    void step(int count, int unit = 1);
    void showToday();
    // Moves the keyboard focus from the day cell `fromCell` by `days` days,
    // into the month before or after when it leaves the one shown; beeps and
    // stays at the calendar's ends.
    void moveDay(int fromCell, int days);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool key(const QKeyEvent &event);
    // The arrow keys, Home and End on a day cell.
    bool dayKey(int cell, const QKeyEvent &event);
    void wheel(QWheelEvent &event);
    void applyPending();

    CalendarGrid &m_grid;
    // Wheel turns not yet a whole notch (120 units), in months and in years.
    int m_partialMonths = 0;
    int m_partialYears = 0;
    // Notches turned since the last drawing: a fast spin draws once.
    int m_pendingMonths = 0;
    int m_pendingYears = 0;
    bool m_applyQueued = false;
};
