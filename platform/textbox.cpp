#include "textbox.h"

#include <QInputMethodEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace rt {
namespace {

// The box's border as the styles draw it, the focus frame included.
constexpr int border = 3;
// The chosen frame stands a pixel inside that, so that the two never merge
// into one thick line, and keeps this far from the text.
constexpr int chosenInset = border + 1;
constexpr int chosenGap = 2;
// QLineEdit's own space between its contents' edge and the text.
constexpr int lineEditMargin = 2;

} // namespace

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
    m_markDescription = description;
    QFont f = font();
    f.setBold(marked);
    setFont(f);
    describeMarks();
    update();
}

void TextBox::setChosen(bool chosen, const QString &description)
{
    if (chosen == m_chosen)
        return;
    m_chosen = chosen;
    m_chosenDescription = description;
    placeText();
    describeMarks();
    update();
}

void TextBox::placeText()
{
    int left = 0;
    if (m_chosen) {
        // The text moves in until it starts chosenGap inside the frame.
        QStyleOptionFrame option;
        initStyleOption(&option);
        const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
        left = std::max(0, chosenInset + chosenThickness() + chosenGap - contents.left() - lineEditMargin);
    }
    if (textMargins().left() != left)
        setTextMargins(left, 0, 0, 0);
}

void TextBox::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        placeText();
}

void TextBox::describeMarks()
{
    QStringList words;
    if (m_marked && !m_markDescription.isEmpty())
        words << m_markDescription;
    if (m_chosen && !m_chosenDescription.isEmpty())
        words << m_chosenDescription;
    setAccessibleDescription(words.join(QStringLiteral(", ")));
}

int TextBox::markThickness() const
{
    return std::max(2, QFontMetrics(font()).height() / 7);
}

int TextBox::chosenThickness() const
{
    return markThickness();
}

QRect TextBox::markRect() const
{
    // The text stands centred on its line, as QLineEdit draws it; the bar
    // starts below the line's descent (digits end on the baseline), at least
    // two pixels clear of it, and inside the box's border; inside the chosen
    // frame too, a pixel clear of it, when that shows.
    const QFontMetrics metrics(font());
    const QRect inner = contentsRect();
    const int lineTop = inner.top() + (inner.height() - metrics.height() + 1) / 2;
    const int thickness = markThickness();
    const int top = lineTop + metrics.ascent() + std::max(2, metrics.descent());
    QRect room(border + 1, 0, width() - 2 * (border + 1), height() - border);
    if (m_chosen) {
        const int frame = chosenThickness() + 1;
        room = chosenRect().adjusted(frame, 0, -frame, -frame);
    }
    return {room.left(), std::min(top, room.bottom() + 1 - thickness), room.width(), thickness};
}

QRect TextBox::chosenRect() const
{
    return rect().adjusted(chosenInset, chosenInset, -chosenInset, -chosenInset);
}

void TextBox::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    if (!m_marked && !m_chosen)
        return;
    QPainter painter(this);
    const QColor ink = palette().color(QPalette::Text);
    if (m_marked)
        painter.fillRect(markRect(), ink);
    if (m_chosen) {
        // Four lines, each whole pixels wide at every scale.
        const QRect frame = chosenRect();
        const int t = chosenThickness();
        painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), t), ink);
        painter.fillRect(QRect(frame.left(), frame.bottom() + 1 - t, frame.width(), t), ink);
        painter.fillRect(QRect(frame.left(), frame.top() + t, t, frame.height() - 2 * t), ink);
        painter.fillRect(QRect(frame.right() + 1 - t, frame.top() + t, t, frame.height() - 2 * t), ink);
    }
}

void TextBox::setForeColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, color);
    setPalette(p);
}

} // namespace rt
