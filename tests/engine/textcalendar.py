#!/usr/bin/python3
"""Prints what Python's calendar.TextCalendar(0) makes of every month of the
years 0 to 9999 (formatmonth), then of each year given (formatyear), each
text followed by a form feed.

formatmonth's weeks depend only on the weekday of the 1st and the length of
the month, its title line only on the month and the year: the weeks are made
by formatmonth itself once for each of the 14 kinds of month, the title for
every month, which takes a second instead of half a minute.
"""
import calendar
import locale
import sys

locale.setlocale(locale.LC_ALL, "C")  # English month names
cal = calendar.TextCalendar(calendar.MONDAY)
weeks = {}
out = []
for year in range(0, 10000):
    for month in range(1, 13):
        kind = calendar.monthrange(year, month)
        if kind not in weeks:
            weeks[kind] = cal.formatmonth(year, month).split("\n", 1)[1]
        out.append(cal.formatmonthname(year, month, 20).rstrip() + "\n" + weeks[kind] + "\f")
for year in sys.argv[1:]:
    out.append(cal.formatyear(int(year)) + "\f")
sys.stdout.write("".join(out))
