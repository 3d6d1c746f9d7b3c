#pragma once

#include <QLabel>

namespace rt {

// Label; with AutoSize it fits its text whenever the caption changes.
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(const QString &caption, QWidget *parent);
    void setAutoSize(bool autoSize);
    void setCaption(const QString &caption);
    [[nodiscard]] QString Caption() const { return text(); }
    void setForeColor(const QColor &color);
    void setBackColor(const QColor &color);
    // BorderStyle 1: a single fixed border.
    void setFixedSingleBorder();

private:
    bool m_autoSize = false;
};

} // namespace rt
