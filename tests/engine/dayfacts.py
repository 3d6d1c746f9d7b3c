#!/usr/bin/python3
"""Prints, for every day of each year given, its weekday (1 = Monday), day of
the year, ISO 8601 week (year and number) and day number (days since
1 January 0 in the program's calendar), one day a line:

    YEAR MONTH DAY WEEKDAY DAY-OF-YEAR ISO-YEAR ISO-WEEK DAY-NUMBER

from Python's datetime (the proleptic Gregorian calendar) wherever the
program's calendar is the Gregorian one. It departs from it in the years 0,
3200, 6400 and 9600, which have no 29 February; those are worked out here
from datetime as follows:
- January and February are the Gregorian ones.
- March to December: the day of the year is one less than the Gregorian, and
  the weekday (the grid's column) one earlier.
- Year 0, which datetime does not have, is taken from year 400: 400 years
  are a whole number of weeks in the Gregorian calendar.
- Their ISO weeks are counted by the Thursday rule from those weekdays:
  week = (day of year - weekday + 10) // 7, week 1 of the next year past the
  year's last week (the week of 28 December).
- The first days of 3201, 6401 and 9601 that fall in the year before's last
  ISO week are counted by the same rule in that year's 365 days.
"""
import datetime
import sys

SPECIAL = (0, 3200, 6400, 9600)


def special(year, month, day):
    """Weekday and day of the year in a year without 29 February."""
    g = datetime.date(year or 400, month, day)
    weekday, yday = g.isoweekday(), g.timetuple().tm_yday
    if month >= 3:
        weekday, yday = (weekday - 2) % 7 + 1, yday - 1
    return weekday, yday


def rule(yday, weekday):
    return (yday - weekday + 10) // 7


def facts(year, month, day):
    if year in SPECIAL:
        weekday, yday = special(year, month, day)
        week, iso_year = rule(yday, weekday), year
        last = rule(*reversed(special(year, 12, 28)))
        if week < 1:  # only year 0: its year before is common
            iso_year, week = year - 1, rule(yday + 365, weekday)
        elif week > last:
            iso_year, week = year + 1, 1
    else:
        g = datetime.date(year, month, day)
        weekday, yday = g.isoweekday(), g.timetuple().tm_yday
        iso_year, week, _ = g.isocalendar()
        if year - 1 in SPECIAL and iso_year == year - 1:
            week = rule(yday + 365, weekday)
    # Day numbers: year 0 has 365 days, then datetime's ordinals less the
    # 29 Februaries that the program's calendar does not have.
    if year == 0:
        number = yday - 1
    else:
        missing = sum(1 for y in SPECIAL[1:] if (year, month, day) > (y, 2, 29))
        number = 365 + datetime.date(year, month, day).toordinal() - 1 - missing
    return weekday, yday, iso_year, week, number


out = []
for year in map(int, sys.argv[1:]):
    for month in range(1, 13):
        for day in range(1, 32):
            try:
                if year in SPECIAL and month == 2 and day == 29:
                    continue
                datetime.date(year or 400, month, day)
            except ValueError:
                continue
            out.append("%d %d %d %d %d %d %d %d\n" % ((year, month, day) + facts(year, month, day)))
sys.stdout.write("".join(out))
