#pragma once

#include <optional>

// How the windows open: with the splash window or straight on the frame and
// the calendar, on today's month or on the one the command line named.
struct StartOptions {
    int year = -1; // -1: today's month
    int month = 1; // 1-12
    bool splash = true;
    int day = 0; // the day named with the month and year (1-31), 0 for none
    // Week numbers beside the weeks as the command line asked (-w); unset, the window's own choice.
    std::optional<bool> weekNumbers;
};

// The program's start-up, run by the forms runtime once it is up.
void startWindows(const StartOptions &options);

// Called once the calendar window is up at start: shows the month the
// command line named, the first time only; a calendar loaded again later
// opens on today's month as always.
void showStartMonth();
