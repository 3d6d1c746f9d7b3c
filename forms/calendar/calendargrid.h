// What the calendar window's helpers (steps by key and wheel, copy and print,
// the week numbers) see of it: the month it shows, its day cells and its
// client area. They depend on this and not on the window, nor on each other.
#pragma once

#include "engine/days.h"

#include <QList>

#include <optional>

class QWidget;

namespace rt {
class TextBox;
}

class CalendarGrid {
public:
    CalendarGrid() = default;
    CalendarGrid(const CalendarGrid &) = delete;
    CalendarGrid &operator=(const CalendarGrid &) = delete;

    // The month the grid shows: the one last drawn (month 0 before the first drawing).
    [[nodiscard]] virtual int shownYear() const = 0;
    [[nodiscard]] virtual int shownMonth() const = 0;
    // Chooses the month (1-12) in the selectors as a person would, then draws it.
    virtual void showMonth(int year, int month) = 0;
    // Day cell n: row n / 7, column n % 7, Monday first.
    [[nodiscard]] virtual rt::TextBox *dayCell(int n) const = 0;
    // The controls that take the keyboard focus, and the grid (cells and headers).
    [[nodiscard]] virtual QList<QWidget *> focusableControls() const = 0;
    [[nodiscard]] virtual QList<QWidget *> gridParts() const = 0;
    // The window's client area, and its width in twips, which a column
    // beside the grid widens (the controls move with the grid).
    [[nodiscard]] virtual QWidget *clientArea() const = 0;
    virtual void widenBy(int twips) = 0;
    // Today as the grid was last drawn or its mark last moved (the date the
    // marks and the distances go by).
    [[nodiscard]] virtual engine::Date today() const = 0;
    // The chosen day: a day the person went to (a typed date, the command
    // line), marked while its month is shown, until another is chosen.
    [[nodiscard]] virtual std::optional<engine::Date> chosenDay() const = 0;
    // Shows the day's month as every change of month does, marks the day
    // and puts the keyboard focus on its cell.
    virtual void chooseDay(const engine::Date &day) = 0;
    // The week numbers beside the grid: the person's choice, remembered.
    [[nodiscard]] virtual bool weekNumbersShown() const = 0;
    virtual void showWeekNumbers(bool shown) = 0;

protected:
    ~CalendarGrid() = default;
};
