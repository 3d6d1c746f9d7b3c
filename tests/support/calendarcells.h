// Reading the calendar window as a person sees it, and what it should show.
#pragma once

#include "calendar/form1.h"
#include "engine/calendar.h"

#include <QStringList>
#include <QTest>

namespace testing {

// The 42 cells' texts.
inline QStringList cells(const Form1 &f)
{
    QStringList texts;
    for (const rt::TextBox *cell : f.text1)
        texts << cell->Text();
    return texts;
}

// The 42 texts the engine gives for a selection.
inline QStringList expectedCells(const engine::Selection &s)
{
    const engine::MonthLayout l = engine::layout(s);
    QStringList texts;
    for (int n = 0; n < engine::cellCount; ++n)
        texts << (l.dayAt(n) ? QString::number(l.dayAt(n)) : QString());
    return texts;
}

// The 42 texts the engine gives for a year and month (1-12).
inline QStringList expectedCells(int year, int month)
{
    return expectedCells(engine::selectionOf(year, month));
}

// A month chosen in the five selectors, as a person picks it, without drawing it.
inline void choose(Form1 &f, const engine::Selection &s)
{
    f.millenium->setListIndex(s.thousands);
    f.century->setListIndex(s.hundreds);
    f.decade->setListIndex(s.tens);
    f.yearc->setListIndex(s.units);
    f.monthc->setListIndex(s.month);
}

inline void choose(Form1 &f, int year, int month)
{
    choose(f, engine::selectionOf(year, month));
}

// The five selectors' texts, thousands digit first, the month last.
inline QStringList selectorTexts(const Form1 &f)
{
    return {f.millenium->Text(), f.century->Text(), f.decade->Text(), f.yearc->Text(), f.monthc->Text()};
}

// What the selectors show for a month chosen by hand.
inline QStringList selectorTextsFor(int year, int month)
{
    static const QStringList months{"January", "February", "March",     "April",   "May",      "Jun",
                                    "July",    "August",   "September", "October", "November", "December"};
    return {QString::number(year / 1000), QString::number(year / 100 % 10), QString::number(year / 10 % 10),
            QString::number(year % 10), months.at(month - 1)};
}

// The calendar in its frame, the frame the active window: focus and access
// keys work in the active window only.
inline Form1 &shownCalendar()
{
    Form1 &f = rt::form<Form1>();
    f.setVisible(true);
    QWidget *top = f.window()->window();
    top->activateWindow();
    // Without focus every key below would go nowhere: the test fails here.
    if (!QTest::qWaitForWindowActive(top))
        QTest::qFail("the frame did not become active", __FILE__, __LINE__);
    return f;
}

} // namespace testing
