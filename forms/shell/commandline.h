#pragma once

#include "shell/startup.h"

#include <QDate>
#include <QStringList>

#include <string>

// What the command line asks for: the windows, opened as `start` says; or
// text printed on the terminal instead, with an exit status.
//
//   temporia [--no-splash] [MONTH] [YEAR]   the windows, the calendar on that month
//   temporia --text [MONTH] [YEAR]           the month, or the year, as text
//   temporia --help | --version
//
// A number alone is a year and a month's name alone that month of this year.
//
// Reading it needs no application object, so that printing runs without a
// display and loads no platform plugin.
struct CommandLine {
    bool openWindows = false;
    StartOptions start;
    std::string out; // for stdout
    std::string err; // for stderr: one line naming the problem
    int exitCode = 0;
};

// `arguments` as the program got them, its own name first; `today` is the
// month --text prints when given none.
[[nodiscard]] CommandLine readCommandLine(const QStringList &arguments, const QDate &today);

// What --help prints; the manual page (packaging/temporia.1.in) lists the same options.
[[nodiscard]] QString helpText(const QString &program);
