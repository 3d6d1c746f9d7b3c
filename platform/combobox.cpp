#include "combobox.h"

#include "keys.h"
#include "style.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionComplex>

namespace rt {

namespace {

// The calendar's selectors are narrow (a digit box is 41 pixels): a slimmer
// drop-down button leaves room for "September" and "December" in the text
// field.
class SelectorStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl sub,
                         const QWidget *widget) const override
    {
        QRect r = QProxyStyle::subControlRect(control, option, sub, widget);
        if (control == CC_ComboBox) {
            const int button = 14;
            if (sub == SC_ComboBoxArrow)
                r.setLeft(option->rect.right() - button + 1);
            else if (sub == SC_ComboBoxEditField)
                r.setRight(option->rect.right() - button - 1);
        }
        return r;
    }
};

QStyle *selectorStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new SelectorStyle(newPlatformStyle());
        style->setParent(qApp);
    }
    return style;
}

} // namespace

ComboBox::ComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(12);
    connect(this, &QComboBox::activated, this, [this] {
        if (!m_inEnter)
            emit Click();
    });
}

void ComboBox::setSlimDropDownButton(bool slim)
{
    setStyle(slim ? selectorStyle() : nullptr);
}

void ComboBox::keyPressEvent(QKeyEvent *event)
{
    if (!event->text().isEmpty()) {
        std::int16_t KeyAscii = keyAscii(event->text());
        emit KeyPress(KeyAscii);
        if (KeyAscii == 0) {
            event->accept();
            return;
        }
    }
    // Enter with text equal to an item would count as picking it.
    m_inEnter = isEnterKey(event);
    QComboBox::keyPressEvent(event);
    m_inEnter = false;
}

std::int16_t ComboBox::ListIndex() const
{
    const QString text = currentText();
    if (currentIndex() >= 0 && itemText(currentIndex()).compare(text, Qt::CaseInsensitive) == 0)
        return static_cast<std::int16_t>(currentIndex());
    return static_cast<std::int16_t>(findText(text, Qt::MatchFixedString));
}

void ComboBox::setListIndex(int index)
{
    QLineEdit *edit = lineEdit();
    if (index != currentIndex()) {
        setCurrentIndex(index);
    } else if (edit->cursorPosition() == 0 && !edit->hasSelectedText()) {
        // A selector that shows its item already, as setText() leaves it, is
        // left alone: stepping a month changes one or two of the five.
        if (index < 0 ? edit->text().isEmpty() : edit->text() == itemText(index))
            return;
    }
    // Also when the index is unchanged but the user typed over its text.
    const QString text = index >= 0 ? itemText(index) : QString();
    if (edit->text() != text)
        setText(text);
    else
        edit->setCursorPosition(0); // as setText() leaves it
}

void ComboBox::setAccessibleName(const QString &name)
{
    QComboBox::setAccessibleName(name);
    lineEdit()->setAccessibleName(name);
    view()->setAccessibleName(name);
}

void ComboBox::setText(const QString &text)
{
    setEditText(text);
    // A narrow box shows the start of a long name, not its end.
    lineEdit()->setCursorPosition(0);
}

} // namespace rt
