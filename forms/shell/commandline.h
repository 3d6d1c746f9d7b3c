#pragma once

#include "shell/startup.h"

#include <QDate>
#include <QStringList>

#include <string>

// What the command line asks for: the windows, opened as `start` says; or
// text printed on the terminal instead, with an exit status.
//
//   temporia [--no-splash] [-w] [[[DAY] MONTH] YEAR]   the windows, the calendar on that month
//   temporia --text [-3] [-j] [-w] [--color[=WHEN]] [[[DAY] MONTH] YEAR]
//                                             the month, three months or the year, as text
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

// Where the text goes, for --color=auto.
struct Output {
    bool terminal = false; // standard output is a terminal
    bool noColor = false;  // NO_COLOR is set, and not empty
};

// `arguments` as the program got them, its own name first; `today` is the
// month --text prints when given none, and the day it marks.
[[nodiscard]] CommandLine readCommandLine(const QStringList &arguments, const QDate &today, const Output &output = {});

// What --help prints; the manual page (packaging/temporia.1.in) lists the same options.
[[nodiscard]] QString helpText(const QString &program);
