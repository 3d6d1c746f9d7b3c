// What the calendar window does with the month it shows besides drawing it:
// Ctrl+C copies it (as text and as a table), Ctrl+P prints it on one page, and
// the grid's context menu offers both, a print preview and the help on the
// menu, after the commands the window's other helpers add to its client area
// as actions (going to a date). Both take the week numbers along while the
// window shows them. It adds no control to the window: it watches the
// window's own controls.
#pragma once

#include <QObject>

class CalendarGrid;
class QPoint;
class QPrinter;
class QWidget;

class MonthActions : public QObject {
    Q_OBJECT
public:
    // Lives as long as the window's controls.
    explicit MonthActions(CalendarGrid &grid);

    void copyMonth();
    void printMonth();
    void previewMonth();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showMenu(QWidget *target, const QPoint &globalPosition);
    // Draws the shown month on `printer`; a failure reaches the person as a message.
    void printOn(QPrinter &printer);

    CalendarGrid &m_grid;
};
