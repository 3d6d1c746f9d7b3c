// A date as a person types it, for the calendar window's "Go to date" field
// and the command line: "1789-07-14", "14 July 1789", "July 14, 1789",
// "14. Juli 1789", "14/7/1789", "July 1789", "1789", "today".
//
// It is a library of its own, `dateinput`, over QtCore and the engine alone:
// the command line reads dates where no GUI library is loaded, and a test that
// links only this library would not build if it reached for one. The `forms`
// library links it for the calendar window.
//
// What it reads, surrounding blanks ignored and in any case:
// - a month by its name in English or in the locale's language, in full, by
//   its first three letters or more ("Sept"), or as the locale abbreviates it
//   (a dot after it is fine: "juil.");
// - three numbers: year first when the first is written with three digits or
//   more ("1789-7-14", "0033-01-01"), else the year last ("14.7.1789") unless
//   the locale writes its short dates year first ("89-7-14" in Swedish). Day
//   and month stand in the order of the locale's short date format, unless only
//   the other order gives a date: "7/14/1789" is 14 July everywhere;
// - two numbers: a month and a year when one is written with three digits or
//   more ("1789-07", "7/1789"), else a day and a month of this year ("14.7.");
// - a month's name with one number: a day of this year ("July 14", "14th
//   July") or a month ("July 1789") when the number has three digits or more;
// - one number is a year ("12" is the year 12), a month's name alone that
//   month of this year.
// Years run from 0 to 9999, the leap years as engine::isLeapYear says.
#pragma once

#include <QLocale>
#include <QString>

#include <variant>

struct DateInput {
    enum class Kind { Day, Month, Year };
    Kind kind = Kind::Day;
    int year = 0;
    int month = 1; // 1 for a year
    int day = 1;   // 1 for a month or a year

    friend bool operator==(const DateInput &, const DateInput &) = default;
};

// The date `text` names, or why it names none as a sentence for the person
// (in English, through QCoreApplication::translate, context "DateInput"),
// quoting the text. "today" and a day or month without a year are taken from
// the today* arguments.
[[nodiscard]] std::variant<DateInput, QString> readDate(const QString &text, const QLocale &locale, int todayYear,
                                                        int todayMonth, int todayDay);
