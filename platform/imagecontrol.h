#pragma once

#include <QPixmap>
#include <QWidget>

namespace rt {

// The Image control: shows a picture and takes no focus. With Stretch the
// picture is drawn scaled to the control's size; without, the control takes
// the picture's size.
class ImageControl : public QWidget {
    Q_OBJECT
public:
    explicit ImageControl(QWidget *parent);

    [[nodiscard]] const QPixmap &Picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);
    [[nodiscard]] bool Stretch() const { return m_stretch; }
    void setStretch(bool stretch);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
    bool m_stretch = false;
};

} // namespace rt
