#include "label.h"

namespace rt {

Label::Label(const QString &caption, QWidget *parent)
    : QLabel(caption, parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Label::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (m_autoSize)
        adjustSize();
}

void Label::setCaption(const QString &caption)
{
    setText(caption);
    if (m_autoSize)
        adjustSize();
}

void Label::setForeColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

void Label::setBackColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
    setAutoFillBackground(true);
}

void Label::setFixedSingleBorder()
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
}

} // namespace rt
