#include "form.h"

#include "formevents.h"
#include "mdiform.h"
#include "services.h"
#include "timer.h"
#include "twips.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScopeGuard>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace rt {
namespace {

// What a screen reader is told a form's window and its lines are. Qt calls
// a bare top-level widget a client area and a line a panel.
QAccessibleInterface *accessibleFormParts(const QString &className, QObject *object)
{
    // The class name first: the factory is asked about every object, the
    // web engine's own among them, and only these two are touched.
    const bool line = className == QLatin1String("rt::Line");
    if (!object || (!line && className != QLatin1String("QWidget")))
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (line)
        return new QAccessibleWidget(widget, QAccessible::Separator);
    if (widget->isWindow())
        return new QAccessibleWidget(widget,
                                     widget->windowType() == Qt::Dialog ? QAccessible::Dialog : QAccessible::Window);
    return nullptr;
}

} // namespace

std::vector<Form *> &Forms::list()
{
    static std::vector<Form *> forms;
    return forms;
}

std::vector<Form *> &Forms::preparedList()
{
    static std::vector<Form *> forms;
    return forms;
}

const std::vector<Form *> &Forms::loaded()
{
    return list();
}

void Forms::destroyAll()
{
    // Children before their frames: newest first.
    while (!list().empty()) {
        Form *f = list().back();
        f->leaveList();
        delete f;
    }
    while (!preparedList().empty())
        delete preparedList().back();
}

Form::Form()
    : m_events(new FormEvents(this))
{
}

Form::~Form()
{
    if (m_state != State::Unloaded)
        leaveList();
    leavePrepared();
    m_events->setKeyPreview(false);
    delete m_window.data();
    // Controls built ahead of a load that never came have no window yet.
    if (m_client && !m_client->parent())
        delete m_client.data();
}

void Form::leavePrepared()
{
    if (!m_preparedSlot)
        return;
    *m_preparedSlot = nullptr;
    m_preparedSlot = nullptr;
    std::erase(Forms::preparedList(), this);
}

// Out of the loaded forms, and no longer the default instance: the next
// reference to its class loads a new one.
void Form::leaveList()
{
    m_state = State::Unloaded;
    auto &forms = Forms::list();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (m_slot && *m_slot == this)
        *m_slot = nullptr;
    m_slot = nullptr;
}

QWidget *Form::createWindow()
{
    QWidget *client = nullptr;
    QWidget *window = m_design.makeWindow(client);
    m_client = client;
    return window;
}

void Form::setBorderStyle(BorderStyle style)
{
    m_design.border = style;
    m_design.designed = true;
}

void Form::setControlBox(bool controlBox)
{
    m_design.controlBox = controlBox;
    m_design.designed = true;
}

void Form::setShowInTaskbar(bool showInTaskbar)
{
    m_design.showInTaskbar = showInTaskbar;
    m_design.designed = true;
}

void Form::setStartUpPosition(StartUpPosition position)
{
    m_startUpPosition = position;
}

void Form::load()
{
    static const bool accessible = [] {
        QAccessible::installFactory(accessibleFormParts);
        return true;
    }();
    (void)accessible;
    m_state = State::Loading;
    Forms::list().push_back(this);

    if (MdiForm *frame = mdiFrame()) {
        // The frame first: loading it may already ask for this child to be shown.
        m_frame = frame;
        frame->setVisible(true);
        if (!m_client)
            m_client = new QWidget;
        auto *sub = new ChildWindow(m_client);
        frame->area()->addSubWindow(sub);
        sub->hide();
        m_window = sub;
        m_design.applyTo(sub);
        // Controls built ahead: what they set on a window that did not exist yet.
        if (m_controlsReady) {
            fitSubWindow();
            if (const auto caption = std::exchange(m_pendingCaption, std::nullopt))
                setCaption(*caption);
            if (const auto position = std::exchange(m_pendingPosition, std::nullopt))
                m_window->move(*position);
        }
    } else {
        m_window = createWindow();
    }
    m_window->installEventFilter(m_events);
    if (clickSurface())
        clickSurface()->installEventFilter(m_events);

    if (!m_controlsReady)
        createControls();
    for (auto it = m_tabOrder.begin(); it != m_tabOrder.end() && std::next(it) != m_tabOrder.end(); ++it)
        QWidget::setTabOrder(it->second, std::next(it)->second);
    m_events->setKeyPreview(m_keyPreview);
    m_controlsReady = true;

    Form_Load();
    if (m_state == State::Loading)
        m_state = State::Loaded;
    if (m_showAfterLoad && isLoaded())
        showWindow();
}

void Form::prepareControls()
{
    m_client = new QWidget;
    createControls();
    m_controlsReady = true;
}

void Form::setVisible(bool visible)
{
    if (!isLoaded())
        return;
    if (!m_window) {
        // Still loading its frame: shown once loaded.
        m_showAfterLoad = visible;
        return;
    }
    if (visible) {
        showWindow();
        return;
    }
    // Hiding moves the focus away; showing the window again brings it back,
    // so that a keyboard user keeps their place: the same control, and in a
    // text field the same cursor and selection (losing the focus clears it).
    if (QWidget *focus = focusedControl()) {
        m_hiddenFocus = focus;
        m_hiddenText = {};
        if (const QLineEdit *edit = textOf(focus)) {
            m_hiddenText.cursor = edit->cursorPosition();
            m_hiddenText.selectionStart = edit->selectionStart();
            m_hiddenText.selectionLength = edit->selectionLength();
        }
    }
    m_window->hide();
}

QWidget *Form::focusedControl() const
{
    // An open drop-down list is a window of its own, with the focus; the
    // control it belongs to is the one to come back to.
    for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (w->window() == m_window->window() && (w == m_window || m_window->isAncestorOf(w)))
            return w;
    }
    return nullptr;
}

QLineEdit *Form::textOf(QWidget *control)
{
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->lineEdit();
    return qobject_cast<QLineEdit *>(control);
}

void Form::restoreFocus()
{
    QWidget *focus = m_hiddenFocus.data();
    m_hiddenFocus = nullptr;
    if (!focus)
        return;
    // Unless the user has gone on to another window meanwhile.
    QWidget *now = QApplication::focusWidget();
    if (now && !m_window->isAncestorOf(now))
        return;
    focus->setFocus(Qt::OtherFocusReason);
    if (QLineEdit *edit = textOf(focus)) {
        const HiddenText &t = m_hiddenText;
        if (t.selectionLength <= 0)
            edit->setCursorPosition(t.cursor);
        else if (t.cursor == t.selectionStart) // selected leftwards: the cursor at its start
            edit->setSelection(t.selectionStart + t.selectionLength, -t.selectionLength);
        else
            edit->setSelection(t.selectionStart, t.selectionLength);
    }
}

void Form::showWindow()
{
    m_showAfterLoad = false;
    if (m_frame && !m_frame->Visible())
        m_frame->setVisible(true);
    if (m_window->isVisible())
        return;
    if (!m_frameApplied && !m_frame) {
        m_frameApplied = true;
        m_design.applyTo(m_window, !Caption().isEmpty());
        if (m_startUpPosition == StartUpPosition::CentreScreen) {
            m_window->adjustSize();
            centreOnScreen(m_window);
        }
    }
    // Resize is raised on the first showing too, before the window reaches
    // the screen: a window that its handler maximises is put on the screen
    // maximised, not drawn at its design size first and drawn again once
    // the window manager has maximised it.
    if (!m_shown) {
        m_shown = true;
        dispatch([this] { Form_Resize(); });
        if (!isLoaded() || m_window->isVisible())
            return;
    }
    m_window->show();
    if (!m_frame)
        m_window->activateWindow();
    watchFirstExposure();
    restoreFocus();
}

bool Form::Visible() const
{
    return m_window && m_window->isVisible();
}

QMdiSubWindow *Form::subWindow() const
{
    return m_frame ? static_cast<QMdiSubWindow *>(m_window.data()) : nullptr;
}

rt::WindowState Form::WindowState() const
{
    if (!m_window)
        return WindowState::Normal;
    const Qt::WindowStates s = m_window->windowState();
    if (s & Qt::WindowMinimized)
        return WindowState::Minimised;
    if (s & Qt::WindowMaximized)
        return WindowState::Maximised;
    return WindowState::Normal;
}

void Form::setWindowState(rt::WindowState state)
{
    if (!m_window || state == WindowState())
        return;
    QMdiSubWindow *sub = subWindow();
    if (sub && sub->isVisible()) {
        if (state == WindowState::Minimised)
            sub->showMinimized();
        else if (state == WindowState::Maximised)
            sub->showMaximized();
        else
            sub->showNormal();
        return;
    }
    const Qt::WindowState target = state == WindowState::Minimised   ? Qt::WindowMinimized
                                   : state == WindowState::Maximised ? Qt::WindowMaximized
                                                                     : Qt::WindowNoState;
    m_window->setWindowState((m_window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized)) | target);
}

QString Form::Caption() const
{
    return m_window ? m_window->windowTitle() : QString();
}

void Form::setCaption(const QString &caption)
{
    if (m_window)
        m_window->setWindowTitle(caption);
    else
        m_pendingCaption = caption;
}

int Form::ScaleWidth() const
{
    return m_client ? twips(m_client->width()) : 0;
}

int Form::ScaleHeight() const
{
    return m_client ? twips(m_client->height()) : 0;
}

void Form::setClientSize(int widthTwips, int heightTwips)
{
    m_client->setFixedSize(px(widthTwips), px(heightTwips));
    fitSubWindow();
}

void Form::fitSubWindow()
{
    if (QMdiSubWindow *sub = subWindow()) {
        // Free of the size it was fixed at, so that a new client size shows.
        sub->setMinimumSize(0, 0);
        sub->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        sub->adjustSize();
        if (!m_design.isSizable())
            sub->setFixedSize(sub->size());
    }
}

void Form::setPosition(int leftTwips, int topTwips)
{
    const QPoint at(rt::px(leftTwips), rt::px(topTwips));
    if (m_window)
        m_window->move(at);
    else
        m_pendingPosition = at;
}

void Form::setSize(int widthTwips, int heightTwips)
{
    m_window->resize(px(widthTwips), px(heightTwips));
}

void Form::setFixedDialog()
{
    m_window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                             | Qt::MSWindowsFixedSizeDialogHint);
}

void Form::countFromFirstExposure(Timer *timer)
{
    whenFirstOnScreen([timer = QPointer<Timer>(timer)] {
        if (timer && timer->Enabled()) {
            timer->setEnabled(false);
            timer->setEnabled(true);
        }
    });
}

void Form::whenFirstOnScreen(std::function<void()> job)
{
    if (m_wasOnScreen) {
        job();
        return;
    }
    m_onScreenJobs.push_back(std::move(job));
    if (m_window && m_window->isVisible())
        watchFirstExposure();
}

void Form::watchFirstExposure()
{
    if (m_onScreenJobs.empty() || m_exposureWatch)
        return;
    QWindow *handle = m_window->window()->windowHandle();
    if (!handle)
        return;
    if (handle->isExposed()) {
        firstExposed();
        return;
    }
    m_exposureWatch = handle;
    handle->installEventFilter(m_events);
}

void Form::firstExposed()
{
    if (m_exposureWatch)
        m_exposureWatch->removeEventFilter(m_events);
    m_exposureWatch = nullptr;
    m_wasOnScreen = true;
    for (const auto &job : std::exchange(m_onScreenJobs, {}))
        job();
}

void Form::setTabIndex(QWidget *control, int tabIndex)
{
    m_tabOrder[tabIndex] = control;
}

void Form::Unload()
{
    if (m_state != State::Loaded && m_state != State::Loading)
        return;
    const State before = m_state;
    m_state = State::Unloading;
    auto restore = qScopeGuard([&] {
        if (m_state == State::Unloading)
            m_state = before;
    });

    // A frame's children go first; if one refuses, the frame stays too.
    if (auto *self = qobject_cast<MdiForm *>(this)) {
        const std::vector<Form *> forms = Forms::loaded();
        for (Form *child : forms) {
            if (child->m_frame == self) {
                child->Unload();
                if (child->isLoaded() && child->m_state != State::Unloading)
                    return;
            }
        }
    }

    std::int16_t Cancel = 0;
    Form_Unload(Cancel);
    if (Cancel != 0)
        return;
    finishUnload();
}

void Form::finishUnload()
{
    leaveList();

    // No timer event after the unload, whatever is still queued.
    for (Timer *timer : findChildren<Timer *>())
        timer->setEnabled(false);
    m_events->setKeyPreview(false);
    if (m_exposureWatch)
        m_exposureWatch->removeEventFilter(m_events);
    if (m_window) {
        m_window->removeEventFilter(m_events);
        m_window->hide();
        m_window->deleteLater();
    }
    // The handler that unloaded this form may still be running in it.
    deleteLater();

    if (Forms::loaded().empty())
        services().endProgram(0);
}

} // namespace rt
