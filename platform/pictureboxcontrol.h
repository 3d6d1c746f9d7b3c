#pragma once

#include <QLabel>
#include <QPixmap>

namespace rt {

// The PictureBox control: one picture at its top left; with AutoSize it takes the
// picture's size. An empty picture leaves it blank.
class PictureBoxControl : public QLabel {
    Q_OBJECT
public:
    explicit PictureBoxControl(QWidget *parent);
    void setAutoSize(bool autoSize);
    void setPicture(const QPixmap &picture);
    [[nodiscard]] QPixmap Picture() const { return pixmap(); }

private:
    bool m_autoSize = false;
};

} // namespace rt
