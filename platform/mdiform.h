#pragma once

#include "form.h"

#include <QColor>
#include <QImage>
#include <QMdiArea>

namespace rt {

// The client area of an MDI frame: BackColor, with the frame's Picture
// drawn centred and scaled to fit, its aspect kept.
class BackgroundArea : public QMdiArea {
    Q_OBJECT
public:
    explicit BackgroundArea(QWidget *parent);
    void setPicture(const QImage &picture);
    [[nodiscard]] const QImage &picture() const { return m_picture; }
    void setBackColor(const QColor &color);
    [[nodiscard]] QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QColor m_backColor;
};

// A frame window whose client area hosts MDI child forms.
class MdiForm : public Form {
    Q_OBJECT
public:
    [[nodiscard]] BackgroundArea *area() const { return m_area; }

    // The picture is shared with whoever else holds it: no pixels are copied.
    [[nodiscard]] const QImage &Picture() const;
    void setPicture(const QImage &picture);
    void setBackColor(std::uint32_t stored);

protected:
    MdiForm();
    QWidget *createWindow() override;
    QWidget *clickSurface() const override;

private:
    BackgroundArea *m_area = nullptr;
};

} // namespace rt
