#include "monthsteps.h"

#include "calendar/calendargrid.h"
#include "engine/calendar.h"
#include "engine/days.h"
#include "runtime.h"

#include <QKeyEvent>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

namespace {

// Months counted from January 0: 0 ... 119,999.
constexpr int lastMonth = 9999 * 12 + 11;

// A wheel's notch, in the units wheel events count in.
constexpr int notch = QWheelEvent::DefaultDeltasPerStep;

} // namespace

MonthSteps::MonthSteps(CalendarGrid &grid)
    : QObject(grid.clientArea())
    , m_grid(grid)
{
    // Keys wherever the focus is; the wheel over the grid and its headers (a
    // selector keeps its own).
    for (QWidget *control : grid.focusableControls() + grid.gridParts())
        control->installEventFilter(this);
}

bool MonthSteps::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto &press = static_cast<const QKeyEvent &>(*event);
        for (int cell = 0; cell < engine::cellCount; ++cell) {
            if (watched == m_grid.dayCell(cell))
                return dayKey(cell, press) || key(press);
        }
        return key(press);
    }
    case QEvent::Wheel:
        if (qobject_cast<rt::TextBox *>(watched) || qobject_cast<rt::Label *>(watched)) {
            wheel(static_cast<QWheelEvent &>(*event));
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool MonthSteps::key(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    const bool plain = mods == Qt::NoModifier;
    const bool byYear = mods == Qt::ControlModifier || mods == Qt::ShiftModifier;
    int count = 0;
    switch (event.key()) {
    case Qt::Key_PageUp:
        count = -1;
        break;
    case Qt::Key_PageDown:
        count = 1;
        break;
    case Qt::Key_Home:
        if (mods == Qt::ControlModifier) {
            rt::dispatch([this] { showToday(); });
            return true;
        }
        return false;
    default:
        return false;
    }
    if (!plain && !byYear)
        return false;
    const int unit = plain ? 1 : 12;
    rt::dispatch([this, count, unit] { step(count, unit); });
    return true;
}

bool MonthSteps::dayKey(int cell, const QKeyEvent &event)
{
    if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    const bool typing = !m_grid.dayCell(cell)->isReadOnly();
    int days = 0;
    switch (event.key()) {
    case Qt::Key_Left:
        days = -1;
        break;
    case Qt::Key_Right:
        days = 1;
        break;
    case Qt::Key_Up:
        days = -7;
        break;
    case Qt::Key_Down:
        days = 7;
        break;
    case Qt::Key_Home:
    case Qt::Key_End: {
        if (m_grid.shownMonth() == 0)
            return false;
        // To the first or last day: counted from where the focus is.
        const engine::MonthLayout month = engine::layout(engine::selectionOf(m_grid.shownYear(), m_grid.shownMonth()));
        days = (event.key() == Qt::Key_Home ? month.startCell : month.lastCell()) - cell;
        break;
    }
    default:
        return false;
    }
    if (typing && event.key() != Qt::Key_Up && event.key() != Qt::Key_Down)
        return false; // the text cursor's
    if (m_grid.shownMonth() == 0)
        return false;
    rt::dispatch([this, cell, days] { moveDay(cell, days); });
    return true;
}

void MonthSteps::moveDay(int fromCell, int days)
{
    const int year = m_grid.shownYear();
    const int month = m_grid.shownMonth();
    // Counted from the 1st of the month shown; a blank cell counts as the
    // day its place in the grid would hold.
    const int fromFirst = fromCell - engine::layout(engine::selectionOf(year, month)).startCell;
    const engine::Date to = engine::addDays({year, month, 1}, fromFirst + days);
    if (!engine::isValid(to)) {
        rt::services().messages->beep();
        return;
    }
    if (to.year != year || to.month != month)
        m_grid.showMonth(to.year, to.month);
    m_grid.dayCell(engine::layout(engine::selectionOf(to.year, to.month)).startCell + to.day - 1)
        ->setFocus(Qt::OtherFocusReason);
}

void MonthSteps::wheel(QWheelEvent &event)
{
    event.accept();
    // Turned towards the person (a negative delta): later months.
    const bool byYear = event.modifiers() & Qt::ControlModifier;
    int &partial = byYear ? m_partialYears : m_partialMonths;
    partial -= event.angleDelta().y();
    const int notches = partial / notch;
    if (notches == 0)
        return;
    partial -= notches * notch;
    (byYear ? m_pendingYears : m_pendingMonths) += notches;
    if (!m_applyQueued) {
        m_applyQueued = true;
        QMetaObject::invokeMethod(
            this, [this] { rt::dispatch([this] { applyPending(); }); }, Qt::QueuedConnection);
    }
}

void MonthSteps::applyPending()
{
    m_applyQueued = false;
    if (const int years = std::exchange(m_pendingYears, 0))
        step(years, 12);
    if (const int months = std::exchange(m_pendingMonths, 0))
        step(months, 1);
}

void MonthSteps::step(int count, int unit)
{
    int from = m_grid.shownYear() * 12 + m_grid.shownMonth() - 1;
    if (m_grid.shownMonth() == 0) { // nothing drawn yet: from today's month
        const QDate today = rt::services().date->today();
        from = today.year() * 12 + today.month() - 1;
    }
    from = std::clamp(from, 0, lastMonth);
    // 2026-05 by years, forwards: at most (119,999 - 24,316) / 12 = 7,973 steps.
    const int possible = count > 0 ? std::min(count, (lastMonth - from) / unit) : std::max(count, -(from / unit));
    if (possible != count)
        rt::services().messages->beep();
    if (possible != 0) {
        const int to = from + possible * unit;
        m_grid.showMonth(to / 12, to % 12 + 1);
    }
}

void MonthSteps::showToday()
{
    const QDate today = rt::services().date->today();
    m_grid.showMonth(today.year(), today.month());
}
