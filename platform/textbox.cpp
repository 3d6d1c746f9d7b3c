#include "textbox.h"

#include <QInputMethodEvent>
#include <QPainter>

#include <algorithm>

namespace rt {

TextBox::TextBox(QWidget *parent)
    : QLineEdit(parent)
{
}

QVariant TextBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    // A locked box takes no typing of any kind: no input method switches on for it.
    if (query == Qt::ImEnabled)
        return isEnabled() && !isReadOnly();
    return QLineEdit::inputMethodQuery(query);
}

void TextBox::inputMethodEvent(QInputMethodEvent *event)
{
    if (isReadOnly()) {
        event->ignore();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void TextBox::setMarked(bool marked, const QString &description)
{
    if (marked == m_marked)
        return;
    m_marked = marked;
    QFont f = font();
    f.setBold(marked);
    setFont(f);
    setAccessibleDescription(marked ? description : QString());
    update();
}

QRect TextBox::markRect() const
{
    // The text stands centred on its line, as QLineEdit draws it; the bar
    // starts below the line's descent (digits end on the baseline), at least
    // two pixels clear of it, and inside the box's border.
    const QFontMetrics metrics(font());
    const QRect inner = contentsRect();
    const int lineTop = inner.top() + (inner.height() - metrics.height() + 1) / 2;
    const int thickness = std::max(2, metrics.height() / 7);
    const int top = lineTop + metrics.ascent() + std::max(2, metrics.descent());
    constexpr int border = 3;
    return {border + 1, std::min(top, height() - border - thickness), width() - 2 * (border + 1), thickness};
}

void TextBox::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    if (!m_marked)
        return;
    QPainter painter(this);
    painter.fillRect(markRect(), palette().color(QPalette::Text));
}

void TextBox::setForeColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, color);
    setPalette(p);
}

} // namespace rt
