#include "controls.h"

#include <QKeyEvent>
#include <QShortcut>

namespace rt {

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

void ComboBox::keyPressEvent(QKeyEvent *event)
{
    if (!event->text().isEmpty()) {
        std::int16_t KeyAscii = static_cast<std::int16_t>(event->text().at(0).unicode());
        emit KeyPress(KeyAscii);
        if (KeyAscii == 0) {
            event->accept();
            return;
        }
    }
    // Enter with text equal to an item would count as picking it.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    m_inEnter = enter;
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
    setCurrentIndex(index);
    // Also when the index is unchanged but the user typed over its text.
    setEditText(index >= 0 ? itemText(index) : QString());
}

void ComboBox::setText(const QString &text)
{
    setEditText(text);
}

TextBox::TextBox(QWidget *parent)
    : QLineEdit(parent)
{
}

void TextBox::setForeColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, color);
    setPalette(p);
}

Label::Label(const QString &caption, QWidget *parent)
    : QLabel(caption, parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Label::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (m_autoSize)
        adjustSize();
}

void Label::setCaption(const QString &caption)
{
    setText(caption);
    if (m_autoSize)
        adjustSize();
}

void Label::setForeColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

void Label::setBackColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
    setAutoFillBackground(true);
}

void Label::setFixedSingleBorder()
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
}

CommandButton::CommandButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    setAutoDefault(false);
}

void CommandButton::setDefault(bool isDefault)
{
    delete m_default;
    delete m_defaultKeypad;
    m_default = m_defaultKeypad = nullptr;
    QPushButton::setDefault(isDefault);
    if (isDefault) {
        m_default = new QShortcut(QKeySequence(Qt::Key_Return), this, this, &QAbstractButton::click);
        m_defaultKeypad = new QShortcut(QKeySequence(Qt::Key_Enter), this, this, &QAbstractButton::click);
    }
}

void CommandButton::setCancel(bool isCancel)
{
    delete m_cancel;
    m_cancel = nullptr;
    if (isCancel)
        m_cancel = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QAbstractButton::click);
}

bool CommandButton::event(QEvent *event)
{
    // A focused button takes Enter for itself, ahead of the window's default button.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            event->accept();
            return true;
        }
    }
    return QPushButton::event(event);
}

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace rt
