#pragma once

#include <QComboBox>

#include <cstdint>

namespace rt {

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
    // A drop-down button slimmer than the style's, for a narrow box whose
    // text needs the room; without it the box looks as the style draws it.
    void setSlimDropDownButton(bool slim);

signals:
    void Click();
    void KeyPress(std::int16_t &KeyAscii);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_inEnter = false;
};

} // namespace rt
