// What every text must give the date reader, whatever it holds: a date of
// the calendar, or a reason short enough for a balloon, whole in UTF-16; and
// the same with blanks around it. The bytes are read as UTF-8 and as
// Latin-1, in a day-first, a month-first, a year-first and a French locale.
// Shared by the fuzzer (fuzz_dateinput.cpp) and the replay of its inputs.
#pragma once

#include "calendar/dateinput.h"
#include "engine/calendar.h"

#include <QByteArray>
#include <QStringList>

#include <array>
#include <cstdint>

namespace testing {

inline QString dateInputProblem(const QString &text, const QLocale &locale)
{
    const auto reading = readDate(text, locale, 2026, 2, 28);
    if (reading != readDate(QStringLiteral(" \t") + text + QStringLiteral("\n "), locale, 2026, 2, 28))
        return QStringLiteral("blanks around the text change what it gives");
    if (const auto *reason = std::get_if<QString>(&reading)) {
        if (reason->isEmpty())
            return QStringLiteral("an empty reason");
        if (!reason->isValidUtf16())
            return QStringLiteral("a reason broken in UTF-16: ") + *reason;
        // The text quoted twice at most, each shortened, and the words around it.
        if (reason->size() > 250)
            return QStringLiteral("a reason of %1 characters: %2").arg(QString::number(reason->size()), *reason);
        return {};
    }
    const DateInput date = std::get<DateInput>(reading);
    const bool inCalendar =
        date.year >= 0 && date.year <= 9999 && date.month >= 1 && date.month <= 12 && date.day >= 1
        && date.day <= engine::dayCount(static_cast<std::int16_t>(date.month - 1), engine::isLeapYear(date.year));
    const bool whole = date.kind == DateInput::Kind::Day
                       || (date.day == 1 && (date.kind == DateInput::Kind::Month || date.month == 1));
    if (!inCalendar || !whole)
        return QStringLiteral("no such date: kind %1, %2-%3-%4")
            .arg(QString::number(static_cast<int>(date.kind)), QString::number(date.year), QString::number(date.month),
                 QString::number(date.day));
    return {};
}

// Empty when all is well, else what went wrong, and where.
inline QString dateInputProblem(const QByteArray &bytes)
{
    static const std::array<QLocale, 4> locales{
        QLocale(QLocale::English, QLocale::UnitedKingdom), QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::Swedish, QLocale::Sweden), QLocale(QLocale::French, QLocale::France)};
    for (const QString &text : {QString::fromUtf8(bytes), QString::fromLatin1(bytes)}) {
        for (const QLocale &locale : locales) {
            const QString problem = dateInputProblem(text, locale);
            if (!problem.isEmpty())
                return QStringLiteral("%1 (in %2)").arg(problem, locale.name());
        }
    }
    return {};
}

} // namespace testing
