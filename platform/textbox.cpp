#include "textbox.h"

#include <QInputMethodEvent>
#include <QPainter>

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

void TextBox::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    if (!m_marked)
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Text), 1));
    painter.drawRect(rect().adjusted(3, 3, -4, -4));
}

void TextBox::setForeColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, color);
    setPalette(p);
}

} // namespace rt
