#include "monthsheet.h"

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

} // namespace

QString monthHtml(int year, int month)
{
    const engine::MonthWeeks m = engine::monthWeeks(year, month);
    QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n"
                                  "<tr><th colspan=\"7\">%1</th></tr>\n<tr>")
                       .arg(titleOf(year, month));
    for (std::string_view day : engine::weekdayName)
        html += QStringLiteral("<th>%1</th>").arg(latin1(day));
    html += QStringLiteral("</tr>\n");
    for (int week = 0; week < m.weeks(); ++week) {
        html += QStringLiteral("<tr>");
        for (int column = 0; column < 7; ++column) {
            const int day = m.dayAt(week, column);
            html += day ? QStringLiteral("<td align=\"right\">%1</td>").arg(day) : QStringLiteral("<td></td>");
        }
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</table>\n");
    return html;
}

void paintMonth(QPainter &painter, const QRect &page, int year, int month)
{
    const engine::MonthWeeks m = engine::monthWeeks(year, month);
    painter.save();
    painter.setPen(Qt::black);

    const QString title = titleOf(year, month);
    const QRectF titleBand(page.left(), page.top(), page.width(), page.height() / 8.0);
    QFont titleFont(QStringLiteral("Times New Roman"));
    titleFont.setBold(true);
    titleFont.setPixelSize(
        fittingSize(titleFont, title, page.width() * 0.9, static_cast<int>(titleBand.height() * 0.6)));
    painter.setFont(titleFont);
    painter.drawText(titleBand, Qt::AlignCenter, title);

    // Cells 5 wide to 4 high, as on the screen; the weekday row half a week high.
    const QRectF area(page.left(), titleBand.bottom(), page.width(), page.height() - titleBand.height());
    const double rows = m.weeks() + 0.5;
    double cellWidth = area.width() / 7;
    double cellHeight = cellWidth * 0.8;
    if (cellHeight * rows > area.height()) {
        cellHeight = area.height() / rows;
        cellWidth = cellHeight * 1.25;
    }
    const double headerHeight = cellHeight / 2;
    const QPointF origin(area.center().x() - 3.5 * cellWidth, area.center().y() - rows * cellHeight / 2);

    QFont headerFont(QStringLiteral("Arial"));
    headerFont.setPixelSize(
        fittingSize(headerFont, QStringLiteral("Wednesday"), cellWidth * 0.85, static_cast<int>(headerHeight * 0.5)));
    QFont dayFont(QStringLiteral("Arial"));
    dayFont.setPixelSize(std::max(1, static_cast<int>(cellHeight * 0.35)));
    QPen line(Qt::black);
    line.setWidthF(std::max(1.0, cellWidth / 150));

    for (int column = 0; column < 7; ++column) {
        const QRectF header(origin.x() + column * cellWidth, origin.y(), cellWidth, headerHeight);
        painter.setPen(line);
        painter.drawRect(header);
        painter.setFont(headerFont);
        painter.drawText(header, Qt::AlignCenter, latin1(engine::weekdayName[static_cast<std::size_t>(column)]));
    }
    const double padding = cellWidth * 0.08;
    for (int week = 0; week < m.weeks(); ++week) {
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
