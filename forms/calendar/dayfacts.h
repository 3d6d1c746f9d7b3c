// What a day is, told where the person points: a day cell's tooltip and its
// accessible description say the date with its weekday, the day of the year,
// the ISO 8601 week and how far the day is from today, and while a day is
// chosen, how far it is from that one:
//
//     Friday, 11 December 2026, day 345 of 365, week 50, in 179 days
//
// A blank cell says nothing. The text is made when it is asked for, never by
// a drawing: the tooltip when the cell is about to show it, the description
// for the cells a screen reader can be at (dayfacts.cpp says how). It sees
// the window through CalendarGrid, and counts days in the program's own
// calendar (the 3200 rule included).
#pragma once

#include "engine/days.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>

class CalendarGrid;

class DayFacts : public QObject {
    Q_OBJECT
public:
    // Lives as long as the window's controls; watches its day cells.
    explicit DayFacts(CalendarGrid &grid);

    // What `day` is, as of `today`, and beside `chosen` when a day is chosen.
    [[nodiscard]] static QString text(const engine::Date &day, const engine::Date &today,
                                      const std::optional<engine::Date> &chosen = std::nullopt);
    // The text for day cell n of the month shown, as of today; empty for a
    // blank cell and before the first drawing.
    [[nodiscard]] QString cellText(int n) const;

    // After a drawing, and when today's date may have changed: the cells that
    // carry their day's text in their description get the text anew.
    void update();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    [[nodiscard]] int cellIndex(const QObject *watched) const;
    // Whether cell n carries its day's text now: while it has the focus or
    // the mouse pointer, and every cell while a screen reader is listening.
    [[nodiscard]] bool wanted(int n) const;
    void describe(int n);
    void queueUpdate();

    CalendarGrid &m_grid;
    int m_focused = -1;
    int m_hovered = -1;
    bool m_updateQueued = false;
    // The cells share their description with their marks (today's, the
    // chosen day's), which write their words into it when they come and go:
    // what a description holds that is not what was written here last is
    // the marks' words, kept to say with the day's text and to give back.
    std::array<QString, engine::cellCount> m_written{};
    std::array<QString, engine::cellCount> m_marks{};
};
