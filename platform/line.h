#pragma once

#include <QColor>
#include <QLine>
#include <QWidget>

namespace rt {

// Line from (x1, y1) to (x2, y2) in twips, drawn over the window's
// background; a wider line grows down and to the right of its ends, so that
// two lines a pixel apart make an etched rule. It takes no clicks.
class Line : public QWidget {
    Q_OBJECT
public:
    Line(int x1, int y1, int x2, int y2, QWidget *parent);
    void setBorderColor(const QColor &color);
    void setBorderWidth(int pixels);
    [[nodiscard]] QLine pixels() const { return m_line; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void place();

    QLine m_line; // in the parent's pixels
    QColor m_color = Qt::black;
    int m_width = 1;
};

} // namespace rt
