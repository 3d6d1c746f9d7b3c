#pragma once

#include <QFrame>

namespace rt {

// Frame: a container with an etched border and no caption; the controls
// inside it are its children and are placed relative to it. Its Click is
// raised only for a click on its own surface: a click on a control inside it
// belongs to that control, even to one that ignores clicks (a label, an image).
class Frame : public QFrame {
    Q_OBJECT
public:
    explicit Frame(QWidget *parent);

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    [[nodiscard]] bool onSurface(const QMouseEvent *event) const;

    bool m_pressed = false;
};

} // namespace rt
