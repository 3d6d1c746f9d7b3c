#include "commandbutton.h"

#include "keys.h"

#include <QKeyEvent>
#include <QShortcut>

namespace rt {

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
    // The access key presses the button at once (Qt would animate the press
    // and click a moment later).
    if (event->type() == QEvent::Shortcut) {
        setFocus(Qt::ShortcutFocusReason);
        click();
        return true;
    }
    // A focused button takes Enter for itself, ahead of the window's default button.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (isPlainEnter(key)) {
            event->accept();
            return true;
        }
    }
    return QPushButton::event(event);
}

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    if (isPlainEnter(event)) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace rt
