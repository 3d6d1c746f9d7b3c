#include "line.h"

#include "twips.h"

#include <QPainter>

#include <algorithm>

namespace rt {

Line::Line(int x1, int y1, int x2, int y2, QWidget *parent)
    : QWidget(parent)
    , m_line(px(x1), px(y1), px(x2), px(y2))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    place();
}

void Line::setBorderColor(const QColor &color)
{
    m_color = color;
    update();
}

void Line::setBorderWidth(int pixels)
{
    m_width = std::max(1, pixels);
    place();
}

void Line::place()
{
    const QRect bounds = QRect(m_line.p1(), m_line.p2()).normalized();
    setGeometry(bounds.adjusted(0, 0, m_width - 1, m_width - 1));
    update();
}

void Line::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // Centre the pen on the middle of its pixels: a width-w line covers the
    // w pixels from its coordinate on, never half of two.
    const QPointF shift = QPointF(m_width, m_width) / 2.0 - QPointF(pos());
    p.setPen(QPen(m_color, m_width, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(QLineF(m_line).translated(shift));
}

} // namespace rt
