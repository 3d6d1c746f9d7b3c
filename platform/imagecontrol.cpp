#include "imagecontrol.h"

#include <QPainter>

namespace rt {

ImageControl::ImageControl(QWidget *parent)
    : QWidget(parent)
{
}

void ImageControl::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    if (!m_stretch && !m_picture.isNull())
        resize(m_picture.deviceIndependentSize().toSize());
    update();
}

void ImageControl::setStretch(bool stretch)
{
    m_stretch = stretch;
    setPicture(m_picture);
}

void ImageControl::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, m_stretch);
    painter.drawPixmap(m_stretch ? rect() : QRect(QPoint(0, 0), m_picture.deviceIndependentSize().toSize()), m_picture);
}

} // namespace rt
