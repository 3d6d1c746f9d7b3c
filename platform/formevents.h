#pragma once

#include <QObject>
#include <QPointer>

class QKeyEvent;
class QWidget;

namespace rt {

class Form;

// Routes what happens to a form's windows to its event handlers, through
// the dispatcher: the close box to Unload, resizes and state changes to
// Form_Resize, clicks on the client area to Form_Click, and, with key
// preview, key presses anywhere in the window to Form_KeyPress before the
// control with the focus. Also tells the form when its window is first
// exposed. Made by the form, and gone with it.
class FormEvents : public QObject {
    Q_OBJECT
public:
    explicit FormEvents(Form *form);

    // Key presses come from the whole application: they are delivered to
    // the control with the focus, not to the window.
    void setKeyPreview(bool on);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void stateChanged();
    [[nodiscard]] bool canMinimise() const;
    void undoMinimise();
    // True when the key is to go no further.
    bool previewKey(QWidget *receiver, QKeyEvent *key);

    class KeyFilter;

    Form *m_form;
    KeyFilter *m_keyFilter = nullptr;
    bool m_stateChangePending = false;
    // A key press the control does not take travels on, the same event, to
    // the control's parent and so on up to the window; the form sees it
    // once. What it last saw: which event, when it was pressed, and where
    // it was delivered last. A delivery of that event to the parent of that
    // place is the same press travelling on.
    struct KeyInFlight {
        const QEvent *event = nullptr;
        quint64 timestamp = 0;
        QPointer<QWidget> at;
    };
    KeyInFlight m_key;
};

} // namespace rt
