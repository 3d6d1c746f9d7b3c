#pragma once

#include <QPushButton>

class QShortcut;

namespace rt {

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

} // namespace rt
