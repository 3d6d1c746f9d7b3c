#include "weekcolumn.h"

#include "calendar/calendargrid.h"
#include "engine/days.h"
#include "runtime.h"

#include <algorithm>

using rt::color;
using rt::twipsRect;
using namespace rt::colours;

WeekColumn::WeekColumn(CalendarGrid &grid)
    : QObject(grid.clientArea())
    , m_grid(grid)
{
    QWidget *client = grid.clientArea();
    // As the weekday headers and the day cells stand, one column further left.
    m_header = new rt::Label(QStringLiteral("WK"), client);
    m_header->setObjectName(QStringLiteral("weekHeader"));
    m_header->setAccessibleName(QStringLiteral("Week number"));
    m_header->setGeometry(twipsRect(240, 1320, 615, 375));
    m_header->setFixedSingleBorder();
    m_header->setBackColor(color(highlightedText));
    m_header->setForeColor(color(darkBlue));
    m_header->hide();
    for (int r = 0; r < 6; ++r) {
        auto *label = new rt::Label(QString(), client);
        label->setObjectName(QStringLiteral("week(%1)").arg(r));
        label->setGeometry(twipsRect(240, 1680 + 480 * r, 615, 495));
        label->setFixedSingleBorder();
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter); // as the cells' text stands
        label->setBackColor(color(highlightedText));
        label->setForeColor(color(darkBlue));
        label->hide();
        m_rows[static_cast<std::size_t>(r)] = label;
    }
}

void WeekColumn::setShown(bool shown)
{
    if (shown == m_shown)
        return;
    m_shown = shown;
    // The rest of the window moves with the grid, the column takes the room
    // the grid leaves on its left.
    const int dx = rt::px(shown ? width : -width);
    for (QObject *child : m_grid.clientArea()->children()) {
        auto *control = qobject_cast<QWidget *>(child);
        if (!control || control == m_header || std::find(m_rows.begin(), m_rows.end(), control) != m_rows.end())
            continue;
        control->move(control->x() + dx, control->y());
    }
    m_grid.widenBy(shown ? width : -width);
    m_header->setVisible(shown);
    for (rt::Label *label : m_rows)
        label->setVisible(shown);
    update();
}

void WeekColumn::update()
{
    if (!m_shown || m_grid.shownMonth() == 0)
        return;
    const int year = m_grid.shownYear();
    const int month = m_grid.shownMonth();
    const engine::MonthLayout l = engine::layout(engine::selectionOf(year, month));
    for (int r = 0; r < 6; ++r) {
        rt::Label *label = m_rows[static_cast<std::size_t>(r)];
        // A row with no day of the month stays blank, as its cells do.
        if (7 * r + 6 < l.startCell || 7 * r > l.lastCell()) {
            label->setCaption(QString());
            label->setAccessibleName(QString());
            continue;
        }
        // Every day of a row is in the same ISO week: its first day of the month says which.
        const int day = std::max(7 * r, static_cast<int>(l.startCell)) - l.startCell + 1;
        const int week = engine::isoWeek({year, month, day}).week;
        label->setCaption(QString::number(week));
        label->setAccessibleName(QStringLiteral("week %1").arg(week));
    }
}
