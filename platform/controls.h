#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

class QShortcut;

#include <cstdint>

namespace rt {

// The controls the windows are built of: Qt widgets with the few properties
// the forms rely on that Qt lacks or names differently.

// Editable drop-down combo box. Typed text never adds an item; text equal to
// an item (case-insensitively) counts as selecting it, any other text means
// no selection (ListIndex -1).
//
// Click: the user picked an entry of the list (with the mouse or the arrow
// keys); Enter in the edit field is no pick. KeyPress: a key that types a
// character, before the box handles it; setting KeyAscii to 0 swallows it.
class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget *parent);

    [[nodiscard]] std::int16_t ListIndex() const;
    // Selects the item and shows its text; -1 clears the selection and the text.
    void setListIndex(int index);
    [[nodiscard]] QString Text() const { return currentText(); }
    void setText(const QString &text);
    void AddItem(const QString &item) { addItem(item); }
    [[nodiscard]] std::int16_t ListCount() const { return static_cast<std::int16_t>(count()); }
    [[nodiscard]] QString List(int index) const { return itemText(index); }
    // Names the edit field, which has the focus while the person types, and
    // the drop-down list the same; on some systems the box itself goes by
    // the text it holds.
    void setAccessibleName(const QString &name);

signals:
    void Click();
    void KeyPress(std::int16_t &KeyAscii);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_inEnter = false;
};

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
    // frame inside its border), with a word for a screen reader.
    void setMarked(bool marked, const QString &description = {});
    [[nodiscard]] bool isMarked() const { return m_marked; }

protected:
    void paintEvent(QPaintEvent *event) override;
    // QLineEdit takes an input method's text even when read-only.
    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    bool m_marked = false;
};

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

// Command button; like a push button it clicks on Space, and also on Enter
// while it has the focus. Default and cancel buttons answer Enter and Esc
// anywhere in their window.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(const QString &caption, QWidget *parent);
    void setDefault(bool isDefault);
    void setCancel(bool isCancel);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QShortcut *m_default = nullptr;
    QShortcut *m_defaultKeypad = nullptr;
    QShortcut *m_cancel = nullptr;
};

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
