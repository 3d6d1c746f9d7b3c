#include "formevents.h"

#include "form.h"
#include "keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace rt {

// Sees every delivery of every key press in the application, once each: a
// filter of its own, as the form's own filter on its window would see the
// deliveries to the window a second time.
class FormEvents::KeyFilter : public QObject {
public:
    explicit KeyFilter(FormEvents *events)
        : QObject(events)
        , m_events(events)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || m_events->m_form->m_state == Form::State::Unloaded
            || !m_events->m_form->m_controlsReady)
            return false;
        return m_events->previewKey(qobject_cast<QWidget *>(watched), static_cast<QKeyEvent *>(event));
    }

private:
    FormEvents *m_events;
};

FormEvents::FormEvents(Form *form)
    : QObject(form)
    , m_form(form)
{
}

void FormEvents::setKeyPreview(bool on)
{
    if (on == bool(m_keyFilter))
        return;
    if (on) {
        m_keyFilter = new KeyFilter(this);
        qApp->installEventFilter(m_keyFilter);
    } else {
        delete m_keyFilter;
        m_keyFilter = nullptr;
    }
}

bool FormEvents::canMinimise() const
{
    // A child is minimised inside its frame, by the program.
    if (m_form->m_frame)
        return true;
    const QWidget *window = m_form->m_window;
    const Qt::WindowFlags flags = window->windowFlags();
    if (flags & Qt::WindowMinimizeButtonHint)
        return true;
    return !(flags & (Qt::CustomizeWindowHint | Qt::FramelessWindowHint)) && window->windowType() == Qt::Window;
}

// Some window managers offer to minimise any window, whatever it asked for.
// A window without a minimise button has no taskbar entry to come back from
// on such desktops, and it may be the program's only one: it comes back.
void FormEvents::undoMinimise()
{
    QWidget *window = m_form->m_window;
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

// Raised once the change is complete: a handler that changes the state
// again must not run inside the window system's own change.
void FormEvents::stateChanged()
{
    if (m_stateChangePending)
        return;
    m_stateChangePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_stateChangePending = false;
            Form *f = m_form;
            if (!f->isLoaded() || !f->m_window || !f->m_window->isVisible())
                return;
            if (f->m_window->isMinimized() && !canMinimise()) {
                undoMinimise();
                return;
            }
            dispatch([f] { f->Form_Resize(); });
        },
        Qt::QueuedConnection);
}

bool FormEvents::previewKey(QWidget *receiver, QKeyEvent *key)
{
    if (!receiver || receiver->window() != m_form->m_window)
        return false;
    // The same press travelling up: the event the form saw last, pressed at
    // the same time, now at the parent of where it was delivered last.
    const bool travelling =
        key == m_key.event && key->timestamp() == m_key.timestamp && m_key.at && m_key.at->parentWidget() == receiver;
    m_key = {key, key->timestamp(), receiver};
    if (travelling || key->text().isEmpty())
        return false;
    std::int16_t KeyAscii = keyAscii(key->text());
    Form *f = m_form;
    dispatch([&] { f->Form_KeyPress(KeyAscii); });
    return KeyAscii == 0;
}

bool FormEvents::eventFilter(QObject *watched, QEvent *event)
{
    Form *f = m_form;
    if (f->m_state == Form::State::Unloaded || !f->m_controlsReady)
        return false;

    switch (event->type()) {
    case QEvent::Expose:
        if (watched == f->m_exposureWatch && static_cast<QWindow *>(watched)->isExposed())
            f->firstExposed();
        break;
    case QEvent::Close:
        if (watched == f->m_window) {
            event->ignore();
            dispatch([f] { f->Unload(); });
            return true;
        }
        break;
    case QEvent::Resize:
        if (watched == f->m_window && f->m_window->isVisible())
            dispatch([f] { f->Form_Resize(); });
        break;
    case QEvent::WindowStateChange:
        if (watched == f->m_window)
            stateChanged();
        break;
    case QEvent::MouseButtonRelease: {
        QWidget *surface = f->clickSurface();
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (watched == surface && mouse->button() == Qt::LeftButton
            && surface->rect().contains(mouse->position().toPoint())) {
            dispatch([f] { f->Form_Click(); });
            return true;
        }
        break;
    }
    default:
        break;
    }
    return false;
}

} // namespace rt
