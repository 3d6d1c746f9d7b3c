#pragma once

#include "form.h"

#include <QColor>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace rt {

class HeldPicture;

// The client area of an MDI frame: BackColor, with the frame's background
// picture drawn centred and scaled to fit, its aspect kept.
class BackgroundArea : public QMdiArea {
    Q_OBJECT
public:
    explicit BackgroundArea(QWidget *parent);
    void setImage(const QImage &image);
    // A holder's picture, taken from it when first drawn or asked for.
    void setImage(HeldPicture &held);
    [[nodiscard]] const QImage &image() const;
    void setBackColor(const QColor &color);
    // Where the image is drawn, in the viewport's pixels.
    [[nodiscard]] QRect imageRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    mutable QImage m_image;
    mutable HeldPicture *m_held = nullptr;
    QColor m_backColor;
};

// The window of an MDI child form inside its frame. With a fixed border it
// keeps its size: its edges neither resize it nor show a resize pointer, and
// its caption still moves it. Without a system menu the caption offers none.
class ChildWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit ChildWindow(QWidget *client);
    void setFixedBorder(bool fixed) { m_fixed = fixed; }
    [[nodiscard]] bool hasFixedBorder() const { return m_fixed; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    [[nodiscard]] bool onBorder(QPoint at) const;

    bool m_fixed = false;
    bool m_ignoringDrag = false;
};

// A frame window whose client area hosts MDI child forms.
class MdiForm : public Form {
    Q_OBJECT
public:
    [[nodiscard]] BackgroundArea *area() const { return m_area; }

    // The frame's Picture, shown behind its children. It is shared with
    // whoever else holds it: no pixels are copied.
    [[nodiscard]] const QImage &backgroundPicture() const;
    void setBackgroundPicture(const QImage &picture);
    // The holder's picture, which need not be decoded yet: it is decoded on
    // a worker thread meanwhile and taken when first drawn, so the window
    // and its children are made while it is being decoded.
    void setBackgroundPicture(HeldPicture &held);
    void setBackColor(std::uint32_t stored);

protected:
    MdiForm();
    QWidget *createWindow() override;
    QWidget *clickSurface() const override;

private:
    BackgroundArea *m_area = nullptr;
};

} // namespace rt
