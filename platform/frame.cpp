#include "frame.h"

#include <QMouseEvent>

namespace rt {

Frame::Frame(QWidget *parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Sunken);
}

bool Frame::onSurface(const QMouseEvent *event) const
{
    // Qt passes a click that a child ignores on to its parent, here in the
    // frame's own coordinates: the child under it tells where it really went.
    const QPoint pos = event->position().toPoint();
    return event->button() == Qt::LeftButton && rect().contains(pos) && !childAt(pos);
}

void Frame::mousePressEvent(QMouseEvent *event)
{
    m_pressed = onSurface(event);
    // Accepted either way, so that a click inside the frame goes no further up.
    event->accept();
}

void Frame::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && onSurface(event);
    m_pressed = false;
    event->accept();
    if (click)
        emit Click();
}

} // namespace rt
