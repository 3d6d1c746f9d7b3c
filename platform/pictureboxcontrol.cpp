#include "pictureboxcontrol.h"

namespace rt {

PictureBoxControl::PictureBoxControl(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureBoxControl::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (m_autoSize && !pixmap().isNull())
        resize(pixmap().deviceIndependentSize().toSize());
}

void PictureBoxControl::setPicture(const QPixmap &picture)
{
    setPixmap(picture);
    setAutoSize(m_autoSize);
}

} // namespace rt
