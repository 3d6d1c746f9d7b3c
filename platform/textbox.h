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
    // A second mark, for a day the person went to: a frame inside the box,
    // in the same colour, clear of the text (which moves in from the frame
    // while it shows) and of the style's focus frame at the box's edge. Its
    // word follows the first mark's ("today, chosen day").
    void setChosen(bool chosen, const QString &description = {});
    // The frame's outer edge, in the box's own coordinates; its lines are
    // chosenThickness() wide inside it.
    [[nodiscard]] QRect chosenRect() const;
    [[nodiscard]] int chosenThickness() const;
    [[nodiscard]] bool isChosen() const { return m_chosen; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    // QLineEdit takes an input method's text even when read-only.
    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    [[nodiscard]] int markThickness() const;
    // Keeps the text clear of the chosen frame while it shows.
    void placeText();
    void describeMarks();

    bool m_marked = false;
    bool m_chosen = false;
    QString m_markDescription;
    QString m_chosenDescription;
};

} // namespace rt
