#include "mdiform.h"

#include "colours.h"
#include "pictureloader.h"
#include "tuning.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QVBoxLayout>

#include <algorithm>

namespace rt {

BackgroundArea::BackgroundArea(QWidget *parent)
    : QMdiArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
}

void BackgroundArea::setImage(const QImage &image)
{
    m_held = nullptr;
    m_image = image;
    viewport()->update();
}

void BackgroundArea::setImage(HeldPicture &held)
{
    m_held = &held;
    m_image = QImage();
    held.prepare();
    viewport()->update();
}

const QImage &BackgroundArea::image() const
{
    if (m_held) {
        m_image = m_held->Picture();
        m_held = nullptr;
    }
    return m_image;
}

void BackgroundArea::setBackColor(const QColor &color)
{
    m_backColor = color;
    setBackground(color);
    viewport()->update();
}

QRect BackgroundArea::imageRect() const
{
    if (image().isNull())
        return {};
    const QSize area = viewport()->size();
    const QSize fitted = m_image.size().scaled(area, Qt::KeepAspectRatio);
    return {QPoint((area.width() - fitted.width()) / 2, (area.height() - fitted.height()) / 2), fitted};
}

void BackgroundArea::paintEvent(QPaintEvent *event)
{
    // The frame's client area is most of its window and is painted first.
    preparePaintMemory(window());
    QPainter painter(viewport());
    const QImage &photograph = image();
    if (photograph.isNull()) {
        painter.fillRect(event->rect(), m_backColor);
        return;
    }
    // The back colour goes only where the photograph leaves it showing: a
    // maximised frame's pixels are written once, not twice.
    const QRect to = imageRect();
    if (photograph.hasAlphaChannel()) {
        painter.fillRect(event->rect(), m_backColor);
    } else {
        for (const QRect &around : QRegion(event->rect()).subtracted(QRegion(to)))
            painter.fillRect(around, m_backColor);
    }
    // Scaled while drawing, clipped to what needs repainting, straight from
    // the photograph's 256-colour palette: no scaled or full-colour copy is
    // made. A copy would be a fresh megabyte or two at every drawing, and on
    // the first drawing writing fresh memory costs more than reading the
    // palette saves.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(to, photograph);
}

ChildWindow::ChildWindow(QWidget *client)
{
    setWidget(client);
}

// The band around the window where a press would start a resize: the frame
// outside the caption and the client area.
bool ChildWindow::onBorder(QPoint at) const
{
    const int band = std::max(contentsMargins().left(), 1);
    return !rect().adjusted(band, band, -band, -band).contains(at);
}

void ChildWindow::mousePressEvent(QMouseEvent *event)
{
    if (m_fixed && !isMinimized() && onBorder(event->position().toPoint())) {
        // The drag that follows is the window's too: it moves nothing.
        m_ignoringDrag = true;
        event->accept();
        return;
    }
    QMdiSubWindow::mousePressEvent(event);
}

void ChildWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_ignoringDrag && event->buttons() == Qt::NoButton) {
        m_ignoringDrag = false;
        event->accept();
        return;
    }
    QMdiSubWindow::mouseReleaseEvent(event);
}

void ChildWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_ignoringDrag) {
        event->accept();
        return;
    }
    QMdiSubWindow::mouseMoveEvent(event);
    if (!m_fixed || !testAttribute(Qt::WA_SetCursor))
        return;
    switch (cursor().shape()) {
    case Qt::SizeVerCursor:
    case Qt::SizeHorCursor:
    case Qt::SizeBDiagCursor:
    case Qt::SizeFDiagCursor:
        unsetCursor();
        break;
    default:
        break;
    }
}

MdiForm::MdiForm() = default;

QWidget *MdiForm::createWindow()
{
    auto *w = new QWidget(nullptr, Qt::Window);
    auto *layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    m_area = new BackgroundArea(w);
    layout->addWidget(m_area);
    // The client area is where children stand; ScaleWidth/Height measure it.
    setClientWidget(m_area);
    return w;
}

QWidget *MdiForm::clickSurface() const
{
    return m_area ? m_area->viewport() : nullptr;
}

const QImage &MdiForm::backgroundPicture() const
{
    return m_area->image();
}

void MdiForm::setBackgroundPicture(const QImage &picture)
{
    m_area->setImage(picture);
}

void MdiForm::setBackgroundPicture(HeldPicture &held)
{
    m_area->setImage(held);
}

void MdiForm::setBackColor(std::uint32_t stored)
{
    m_area->setBackColor(color(stored));
}

} // namespace rt
