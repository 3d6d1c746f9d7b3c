#include "dayfacts.h"

#include "calendar/calendargrid.h"
#include "engine/monthtext.h"
#include "runtime.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QToolTip>

namespace {

QString fromView(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// "today", "in 12 days", "86,533 days ago": the count in the locale's digits.
QString fromToday(int days)
{
    switch (days) {
    case 0:
        return QCoreApplication::translate("DayFacts", "today");
    case 1:
        return QCoreApplication::translate("DayFacts", "tomorrow");
    case -1:
        return QCoreApplication::translate("DayFacts", "yesterday");
    default:
        return days > 0 ? QCoreApplication::translate("DayFacts", "in %Ln days", "two days or more", days)
                        : QCoreApplication::translate("DayFacts", "%Ln days ago", "two days or more", -days);
    }
}

QString fromChosen(int days)
{
    switch (days) {
    case 0:
        return QCoreApplication::translate("DayFacts", "the chosen day");
    case 1:
        return QCoreApplication::translate("DayFacts", "the day after the chosen day");
    case -1:
        return QCoreApplication::translate("DayFacts", "the day before the chosen day");
    default:
        return days > 0
                   ? QCoreApplication::translate("DayFacts", "%Ln days after the chosen day", "two days or more", days)
                   : QCoreApplication::translate("DayFacts", "%Ln days before the chosen day", "two days or more",
                                                 -days);
    }
}

// The description of a cell: its day's text, and its marks' words where that
// text does not say them already ("today" is said as the day's distance from
// today, "chosen day" as its distance from the chosen day).
QString withMarks(const QString &marks, const QString &facts)
{
    if (marks.isEmpty() || facts.isEmpty())
        return facts.isEmpty() ? marks : facts;
    const QStringList words = marks.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &word : words) {
        if (!facts.contains(word.trimmed(), Qt::CaseInsensitive))
            return QCoreApplication::translate("DayFacts", "%1; %2", "the cell's marks, then what its day is")
                .arg(marks, facts);
    }
    return facts;
}

} // namespace

DayFacts::DayFacts(CalendarGrid &grid)
    : QObject(grid.clientArea())
    , m_grid(grid)
{
    for (int n = 0; n < engine::cellCount; ++n)
        grid.dayCell(n)->installEventFilter(this);
}

QString DayFacts::text(const engine::Date &day, const engine::Date &today, const std::optional<engine::Date> &chosen)
{
    const QString date =
        QCoreApplication::translate("DayFacts", "%1, %2 %3 %4", "weekday, day, month and year")
            .arg(fromView(engine::weekdayName[static_cast<std::size_t>(engine::weekday(day) - 1)]),
                 QString::number(day.day), fromView(engine::monthName[static_cast<std::size_t>(day.month - 1)]),
                 QString::number(day.year));
    const QString ofYear =
        QCoreApplication::translate("DayFacts", "day %1 of %n", "the day of the year, of the days in the year",
                                    engine::daysInYear(day.year))
            .arg(engine::dayOfYear(day));
    // The ISO week's year is said where it is not the day's: the first days
    // of January may be in the last week of the year before, the last days
    // of December in week 1 of the next.
    const engine::IsoWeek iso = engine::isoWeek(day);
    const QString week = iso.year == day.year
                             ? QCoreApplication::translate("DayFacts", "week %1", "the ISO week").arg(iso.week)
                             : QCoreApplication::translate("DayFacts", "week %1 of %2", "the ISO week and its year")
                                   .arg(QString::number(iso.week), QString::number(iso.year));
    const std::int32_t number = engine::dayNumber(day);
    const QString distance = fromToday(number - engine::dayNumber(today));
    if (!chosen)
        return QCoreApplication::translate("DayFacts", "%1, %2, %3, %4",
                                           "the date, its day of the year, its week, how far it is from today")
            .arg(date, ofYear, week, distance);
    return QCoreApplication::translate(
               "DayFacts", "%1, %2, %3, %4, %5",
               "the date, its day of the year, its week, how far it is from today and from the chosen day")
        .arg(date, ofYear, week, distance, fromChosen(number - engine::dayNumber(*chosen)));
}

QString DayFacts::cellText(int n) const
{
    const int year = m_grid.shownYear();
    const int month = m_grid.shownMonth();
    if (month == 0)
        return {};
    const int day = engine::layout(engine::selectionOf(year, month)).dayAt(n);
    if (day == 0)
        return {};
    return text({year, month, day}, m_grid.today(), m_grid.chosenDay());
}

int DayFacts::cellIndex(const QObject *watched) const
{
    for (int n = 0; n < engine::cellCount; ++n) {
        if (watched == m_grid.dayCell(n))
            return n;
    }
    return -1;
}

bool DayFacts::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ToolTip && type != QEvent::FocusIn && type != QEvent::FocusOut && type != QEvent::Enter
        && type != QEvent::Leave)
        return false;
    const int n = cellIndex(watched);
    if (n < 0)
        return false;
    switch (type) {
    case QEvent::ToolTip:
        rt::dispatch([&] {
            const auto &help = static_cast<const QHelpEvent &>(*event);
            rt::TextBox *cell = m_grid.dayCell(n);
            if (const QString facts = cellText(n); facts.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(help.globalPos(), facts, cell, cell->rect());
        });
        return true;
    case QEvent::FocusIn:
        m_focused = n;
        rt::dispatch([&] { describe(n); });
        return false;
    case QEvent::FocusOut:
        if (m_focused == n)
            m_focused = -1;
        rt::dispatch([&] { describe(n); });
        return false;
    case QEvent::Enter:
        m_hovered = n;
        rt::dispatch([&] { describe(n); });
        return false;
    case QEvent::Leave:
        if (m_hovered == n)
            m_hovered = -1;
        rt::dispatch([&] { describe(n); });
        return false;
    default:
        return false;
    }
}

// What a screen reader is given as a cell's description is the widget's
// own, as it stands: Qt's accessibility for line edits has no way to make it
// when asked, and an interface of the program's own for the cells would
// have to give up Qt's for their text, the day a screen reader reads (its
// text interface is Qt's private code). So the day's text is put into the
// description of the cells a screen reader can be at, as a person gets
// there: the cell with the focus (read as it takes the focus), the one under
// the mouse pointer (read by screen readers that follow the mouse), and,
// while an accessibility client is active, every cell of the month, which
// some readers go through one by one, in the program's first idle moment
// after the drawing. Otherwise a cell's description holds its marks' words
// alone, and a drawing makes the text of two cells at most.
bool DayFacts::wanted(int n) const
{
    return n == m_focused || n == m_hovered || QAccessible::isActive();
}

void DayFacts::describe(int n)
{
    rt::TextBox *cell = m_grid.dayCell(n);
    const QString now = cell->accessibleDescription();
    auto &written = m_written[static_cast<std::size_t>(n)];
    auto &marks = m_marks[static_cast<std::size_t>(n)];
    if (written.isNull() || now != written)
        marks = now;
    const QString facts = wanted(n) ? cellText(n) : QString();
    const QString description = withMarks(marks, facts);
    written = facts.isEmpty() ? QString() : description;
    if (description != now)
        cell->setAccessibleDescription(description);
}

void DayFacts::update()
{
    // The cells a person is at, at once; the others, while a screen reader
    // listens (or to take back what is no longer wanted), once the program is idle.
    for (const int n : {m_focused, m_hovered}) {
        if (n >= 0)
            describe(n);
    }
    bool others = QAccessible::isActive();
    for (int n = 0; n < engine::cellCount && !others; ++n)
        others = n != m_focused && n != m_hovered && !m_written[static_cast<std::size_t>(n)].isNull();
    if (others)
        queueUpdate();
}

void DayFacts::queueUpdate()
{
    if (m_updateQueued)
        return;
    m_updateQueued = true;
    rt::whenIdle(this, [this] {
        m_updateQueued = false;
        for (int n = 0; n < engine::cellCount; ++n)
            describe(n);
    });
}
