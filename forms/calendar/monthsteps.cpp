#include "monthsteps.h"

#include "calendar/form1.h"
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

MonthSteps::MonthSteps(Form1 &form)
    : QObject(form.client())
    , m_form(form)
{
    // Keys wherever the focus is; the wheel over the grid and its headers (a
    // selector keeps its own).
    for (QWidget *control : form.focusableControls() + form.gridParts())
        control->installEventFilter(this);
}

bool MonthSteps::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return key(static_cast<const QKeyEvent &>(*event));
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
    int from = m_form.shownYear() * 12 + m_form.shownMonth() - 1;
    if (m_form.shownMonth() == 0) { // nothing drawn yet: from today's month
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
        m_form.showMonth(to / 12, to % 12 + 1);
    }
}

void MonthSteps::showToday()
{
    const QDate today = rt::services().date->today();
    m_form.showMonth(today.year(), today.month());
}
