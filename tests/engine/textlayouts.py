#!/usr/bin/python3
"""Prints the months of each year given as the program's text options lay
them out, worked out from Python's calendar and datetime, each text followed
by a form feed. For each year, in this order:

- every month with week numbers (-w), numbered within the year (-j), and both;
- every month with the months before and after (-3), plain, -w, -j and -wj;
- the whole year with -w, -j and -wj.

The weeks come from calendar.Calendar(MONDAY), the ISO weeks from
date.isocalendar() and the days of the year from date.timetuple().

Months the program's calendar has otherwise than the Gregorian one (the
years without 29 February) are read from standard input instead, one a line,
as the program's engine has them:

    YEAR MONTH FIRST-COLUMN DAYS DAY-OF-YEAR-OF-THE-1ST WEEK WEEK ...

with the first column 0 for Monday and one ISO week number for each week.

The layout: a title centred over the day columns (an odd blank on the
right), the weekdays, then the weeks, day numbers right-aligned in columns
two wide (three with -j) and one apart; with -w a first column "Wk" with the
week number right-aligned in two. Months side by side stand six blanks apart
(four with -w), a year three across (two with -j) under its centred number
and a blank line before each row of months. No line ends in a blank.
"""
import calendar
import datetime
import sys

NAMES = ["January", "February", "March", "April", "May", "June", "July",
         "August", "September", "October", "November", "December"]
WEEKDAYS = ["Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"]
cal = calendar.Calendar(calendar.MONDAY)

given = {}
for line in sys.stdin:
    year, month, first, days, yday, *weeks = map(int, line.split())
    rows = [[0] * 7 for _ in weeks]
    for day in range(1, days + 1):
        rows[(first + day - 1) // 7][(first + day - 1) % 7] = day
    given[year, month] = (rows, weeks, yday)


def facts(year, month):
    """The weeks (day numbers, 0 for none), their ISO weeks, and the day of
    the year of the 1st."""
    if (year, month) in given:
        return given[year, month]
    rows = cal.monthdayscalendar(year, month)
    weeks = [datetime.date(year, month, max(row)).isocalendar()[1] for row in rows]
    return rows, weeks, datetime.date(year, month, 1).timetuple().tm_yday


def centred(text, width):
    left = max(0, width - len(text)) // 2
    return " " * left + text + " " * max(0, width - len(text) - left)


def block(year, month, title, w, j):
    """The month's lines, all as wide as the month is."""
    cell = 3 if j else 2
    prefix = "   " if w else ""
    rows, weeks, yday = facts(year, month)
    lines = [prefix + centred(title, 7 * cell + 6),
             ("Wk " if w else "") + " ".join(d.rjust(cell) for d in WEEKDAYS)]
    for row, week in zip(rows, weeks):
        days = " ".join((str(yday + d - 1 if j else d) if d else "").rjust(cell) for d in row)
        lines.append(("%2d " % week if w else "") + days)
    return lines


def side_by_side(blocks, w):
    width = max(len(line) for line in blocks[0])
    gap = " " * (4 if w else 6)
    height = max(len(b) for b in blocks)
    out = []
    for i in range(height):
        parts = [(b[i] if i < len(b) else "").ljust(width) for b in blocks]
        out.append(gap.join(parts).rstrip() + "\n")
    return "".join(out)


def month_text(year, month, w, j):
    return side_by_side([block(year, month, "%s %d" % (NAMES[month - 1], year), w, j)], w)


def three_text(year, month, w, j):
    blocks = []
    for step in (-1, 0, 1):
        y, m = divmod(year * 12 + month - 1 + step, 12)
        if 0 <= y <= 9999:
            blocks.append(block(y, m + 1, "%s %d" % (NAMES[m], y), w, j))
    return side_by_side(blocks, w)


def year_text(year, w, j):
    across = 2 if j else 3
    width = across * ((3 if w else 0) + (27 if j else 20)) + (across - 1) * (4 if w else 6)
    out = [centred(str(year), width).rstrip() + "\n"]
    for first in range(1, 13, across):
        out.append("\n")
        out.append(side_by_side([block(year, m, NAMES[m - 1], w, j) for m in range(first, first + across)], w))
    return "".join(out)


OPTIONS = [(True, False), (False, True), (True, True)]
out = []
for year in map(int, sys.argv[1:]):
    for w, j in OPTIONS:
        out.extend(month_text(year, month, w, j) + "\f" for month in range(1, 13))
    for w, j in [(False, False)] + OPTIONS:
        out.extend(three_text(year, month, w, j) + "\f" for month in range(1, 13))
    for w, j in OPTIONS:
        out.append(year_text(year, w, j) + "\f")
sys.stdout.write("".join(out))
