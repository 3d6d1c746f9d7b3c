// The ISO week number of each row of the calendar's grid, in a column of its
// own to the left of Monday, headed in the calendar's style. Shown, the
// window grows by the column and everything else keeps its place beside the
// grid; hidden, the window is as designed. The numbers are written in the
// same pass as the month's cells (on the window's drawn() signal), so the
// column costs no layout of its own.
#pragma once

#include <QObject>

#include <array>

class CalendarGrid;

namespace rt {
class Label;
}

class WeekColumn : public QObject {
    Q_OBJECT
public:
    // Lives as long as the window's controls; made hidden.
    explicit WeekColumn(CalendarGrid &grid);

    void setShown(bool shown);
    [[nodiscard]] bool isShown() const { return m_shown; }
    // Writes the week numbers of the month shown (nothing while hidden).
    void update();
    // The header and the six rows' labels, for tests and the screen reader.
    [[nodiscard]] rt::Label *header() const { return m_header; }
    [[nodiscard]] rt::Label *row(int r) const { return m_rows[static_cast<std::size_t>(r)]; }

    // The column's width, in twips: a day cell's.
    static constexpr int width = 600;

private:
    CalendarGrid &m_grid;
    rt::Label *m_header = nullptr;
    std::array<rt::Label *, 6> m_rows{};
    bool m_shown = false;
};
