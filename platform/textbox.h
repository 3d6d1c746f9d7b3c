#pragma once

#include <QLineEdit>

namespace rt {

// Single-line text box; Locked lets the focus in but not typing.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent);
    [[nodiscard]] QString Text() const { return text(); }
    void setText(const QString &text) { QLineEdit::setText(text); }
    void setLocked(bool locked) { setReadOnly(locked); }
    void setForeColor(const QColor &color);
    // A mark that makes the box stand out in its own colours (bold text and a
    // bar under it, clear of the text and unlike the style's focus frame),
    // with a word for a screen reader.
    void setMarked(bool marked, const QString &description = {});
    // Where the mark is drawn, in the box's own coordinates.
    [[nodiscard]] QRect markRect() const;
    [[nodiscard]] bool isMarked() const { return m_marked; }

protected:
    void paintEvent(QPaintEvent *event) override;
    // QLineEdit takes an input method's text even when read-only.
    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    bool m_marked = false;
};

} // namespace rt
