// The shown month as it leaves the calendar window: the HTML table of the
// clipboard and the printed page. Both lay the month out in whole weeks,
// Monday first, as the text of engine/monthtext.h does. With `weekNumbers`
// (while the window shows them) both have a first column, headed "WK" as in
// the window, that holds each week's ISO 8601 number.
#pragma once

#include <QString>

class QPainter;
class QRect;

// A table a word processor takes as one: the title across all columns, the
// weekday names, then one row a week.
[[nodiscard]] QString monthHtml(int year, int month, bool weekNumbers = false);

// The title above the grid with its weekday header, as large as `page` allows
// and centred on it. The grid has six weeks whatever the month, as on the
// screen: every month takes the same place on the page (one column wider
// with the week numbers, the title still over the days).
void paintMonth(QPainter &painter, const QRect &page, int year, int month, bool weekNumbers = false);
