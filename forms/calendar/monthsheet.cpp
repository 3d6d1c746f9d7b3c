#include "monthsheet.h"

#include "colours.h"
#include "engine/monthtext.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRect>

#include <algorithm>

namespace {

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString titleOf(int year, int month)
{
    return QString::fromStdString(engine::monthTitle(year, month));
}

// The largest pixel size at which `text` stays within `width`, up to `most`.
int fittingSize(QFont font, const QString &text, double width, int most)
{
    font.setPixelSize(100);
    const double wide = QFontMetricsF(font).horizontalAdvance(text);
    return std::max(1, std::min(most, static_cast<int>(100 * width / wide)));
}

// Cells 5 wide to 4 high, as on the screen, as large as `columns` across and
// `rows` down fit in `size`.
QSizeF cellIn(const QSizeF &size, double columns, double rows)
{
    const double width = std::min(size.width() / columns, size.height() / rows * 1.25);
    return {width, width * 0.8};
}

// The window's week column: its header, and the colour of its header and numbers.
QString weekHeader()
{
    return QStringLiteral("WK");
}

QColor weekColour()
{
    return rt::color(rt::colours::darkBlue);
}

// The ISO week of week `week` (from 0) of `m`, or 0 when none of its days is
// in the month. All days of a Monday-first week lie in one ISO week.
int isoWeekOf(const engine::MonthWeeks &m, int week)
{
    for (int column = 0; column < 7; ++column) {
        if (const int day = m.dayAt(week, column))
            return engine::isoWeek({m.year, m.month, day}).week;
    }
    return 0;
}

} // namespace

QString monthHtml(int year, int month, bool weekNumbers)
{
    const engine::MonthWeeks m = engine::monthWeeks(year, month);
    QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n"
                                  "<tr><th colspan=\"%1\">%2</th></tr>\n<tr>")
                       .arg(weekNumbers ? 8 : 7)
                       .arg(titleOf(year, month));
    if (weekNumbers)
        html += QStringLiteral("<th>%1</th>").arg(weekHeader());
    for (std::string_view day : engine::weekdayName)
        html += QStringLiteral("<th>%1</th>").arg(latin1(day));
    html += QStringLiteral("</tr>\n");
    for (int week = 0; week < m.weeks(); ++week) {
        html += QStringLiteral("<tr>");
        if (weekNumbers)
            html += QStringLiteral("<td align=\"right\">%1</td>").arg(isoWeekOf(m, week));
        for (int column = 0; column < 7; ++column) {
            const int day = m.dayAt(week, column);
            html += day ? QStringLiteral("<td align=\"right\">%1</td>").arg(day) : QStringLiteral("<td></td>");
        }
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</table>\n");
    return html;
}

void paintMonth(QPainter &painter, const QRect &page, int year, int month, bool weekNumbers)
{
    const engine::MonthWeeks m = engine::monthWeeks(year, month);
    painter.save();
    painter.setPen(Qt::black);

    // The title a week high, the weekday names half a week, then six weeks;
    // the lines on the cells' edges lie half outside them, and stay on `page`.
    // The week column goes left of Monday, the whole grid centred.
    constexpr double rows = 1 + 0.5 + 6;
    const double columns = weekNumbers ? 8 : 7;
    const QRectF area(page);
    const double lineWidth = std::max(1.0, cellIn(area.size(), columns, rows).width() / 150);
    const QSizeF cellSize = cellIn(area.size() - QSizeF(lineWidth, lineWidth), columns, rows);
    const double cellWidth = cellSize.width();
    const double cellHeight = cellSize.height();
    const double headerHeight = cellHeight / 2;
    const QPointF corner(area.center().x() - columns / 2 * cellWidth, area.center().y() - rows * cellHeight / 2);
    const double daysLeft = corner.x() + (weekNumbers ? cellWidth : 0);

    const QString title = titleOf(year, month);
    const QRectF titleBand(QPointF(daysLeft, corner.y()), QSizeF(7 * cellWidth, cellHeight));
    QFont titleFont(QStringLiteral("Times New Roman"));
    titleFont.setBold(true);
    titleFont.setPixelSize(
        fittingSize(titleFont, title, titleBand.width() * 0.9, static_cast<int>(titleBand.height() * 0.6)));
    painter.setFont(titleFont);
    painter.drawText(titleBand, Qt::AlignCenter, title);
    const QPointF origin(daysLeft, titleBand.bottom());

    QFont headerFont(QStringLiteral("Arial"));
    headerFont.setPixelSize(
        fittingSize(headerFont, QStringLiteral("Wednesday"), cellWidth * 0.85, static_cast<int>(headerHeight * 0.5)));
    QFont dayFont(QStringLiteral("Arial"));
    dayFont.setPixelSize(std::max(1, static_cast<int>(cellHeight * 0.35)));
    QPen line(Qt::black);
    line.setWidthF(lineWidth);

    for (int column = 0; column < 7; ++column) {
        const QRectF header(origin.x() + column * cellWidth, origin.y(), cellWidth, headerHeight);
        painter.setPen(line);
        painter.drawRect(header);
        painter.setFont(headerFont);
        painter.drawText(header, Qt::AlignCenter, latin1(engine::weekdayName[static_cast<std::size_t>(column)]));
    }
    const double padding = cellWidth * 0.08;
    if (weekNumbers) {
        // Boxed as the days are, the numbers where the days' stand; a week
        // without a day of the month stays blank, as its cells do.
        const QRectF header(corner.x(), origin.y(), cellWidth, headerHeight);
        painter.setPen(line);
        painter.drawRect(header);
        painter.setPen(weekColour());
        painter.setFont(headerFont);
        painter.drawText(header, Qt::AlignCenter, weekHeader());
        for (int week = 0; week < 6; ++week) {
            const QRectF cell(corner.x(), origin.y() + headerHeight + week * cellHeight, cellWidth, cellHeight);
            painter.setPen(line);
            painter.drawRect(cell);
            if (const int number = isoWeekOf(m, week)) {
                painter.setPen(weekColour());
                painter.setFont(dayFont);
                painter.drawText(cell.adjusted(padding, padding / 2, -padding, 0), Qt::AlignLeft | Qt::AlignTop,
                                 QString::number(number));
            }
        }
    }
    for (int week = 0; week < 6; ++week) {
        for (int column = 0; column < 7; ++column) {
            const QRectF cell(origin.x() + column * cellWidth, origin.y() + headerHeight + week * cellHeight, cellWidth,
                              cellHeight);
            painter.setPen(line);
            painter.drawRect(cell);
            if (const int day = m.dayAt(week, column)) {
                // Sundays in red, as in the window.
                painter.setPen(column == 6 ? QColor(255, 0, 0) : QColor(Qt::black));
                painter.setFont(dayFont);
                painter.drawText(cell.adjusted(padding, padding / 2, -padding, 0), Qt::AlignLeft | Qt::AlignTop,
                                 QString::number(day));
            }
        }
    }
    painter.restore();
}
