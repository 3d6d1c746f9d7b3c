// "Go to date" in the calendar window: Ctrl+G on any of its controls, or the
// grid's menu, opens a small field over the weekday names, in the window's
// own look, that asks for a date as a person types it (calendar/dateinput.h,
// in the system's locale). Enter goes there: a day is chosen (marked and
// focused), a month or a year is shown from its 1st. A text that names no
// date stays in the field for correction, the reason under it, and nothing
// else changes. Esc, or a click elsewhere, closes the field and gives the
// focus back. Up and Down recall the dates gone to in this run, newest
// first, as an address bar does; they are kept nowhere else.
#pragma once

#include "calendar/dateinput.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <vector>

class CalendarGrid;
class QAction;
class QLineEdit;
class QWidget;

class DateGoto : public QObject {
    Q_OBJECT
public:
    // Lives as long as the window's controls. Its item for the grid's menu
    // is the client area's action, the one the menu shows first.
    explicit DateGoto(CalendarGrid &grid);
    ~DateGoto() override;
    DateGoto(const DateGoto &) = delete;
    DateGoto &operator=(const DateGoto &) = delete;

    // Opens the field, empty, with the focus in it; nothing while it is open.
    void open();
    // Goes to the date the field names; says why beside it when it names none.
    void go();
    // The field closes; the focus goes back where it was.
    void cancel();

    // How many dates the field remembers.
    static constexpr std::size_t historySize = 10;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Recalled {
        QString text;    // as typed
        DateInput where; // where it went: one entry for each
    };

    void build();
    void place();
    // Up (older) and Down (newer, then back to what was being typed).
    void recall(int step);
    void remember(const QString &text, const DateInput &where);
    void closed();

    CalendarGrid &m_grid;
    QAction *m_action = nullptr;
    QPointer<QWidget> m_popup;
    QLineEdit *m_field = nullptr;
    QPointer<QWidget> m_returnTo;
    bool m_going = false;
    std::vector<Recalled> m_history; // newest first
    int m_recalled = -1;             // the entry the field shows; -1 for what is being typed
    QString m_typed;
};
