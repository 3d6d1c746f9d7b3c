#include "form.h"

#include "keys.h"
#include "mdiform.h"
#include "services.h"
#include "style.h"
#include "timer.h"
#include "twips.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QScreen>
#include <QVBoxLayout>
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

const std::vector<Form *> &Forms::loaded()
{
    return list();
}

void Forms::destroyAll()
{
    // Children before their frames: newest first.
    while (!list().empty()) {
        Form *f = list().back();
        list().pop_back();
        if (f->m_slot)
            *f->m_slot = nullptr;
        f->m_state = Form::State::Unloaded;
        delete f;
    }
}

Form::Form() = default;

Form::~Form()
{
    if (m_state != State::Unloaded) {
        auto &forms = Forms::list();
        forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
        if (m_slot && *m_slot == this)
            *m_slot = nullptr;
    }
    if (m_keyPreview)
        qApp->removeEventFilter(this);
    delete m_window.data();
}

QWidget *Form::createWindow()
{
    if (!m_framed) {
        auto *w = new QWidget(nullptr, Qt::Window);
        m_client = w;
        return w;
    }
    // The client area inside a frame that can draw the border itself.
    auto *frame = new QFrame(nullptr, Qt::Window);
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!isSizable())
        layout->setSizeConstraint(QLayout::SetFixedSize);
    m_client = new QWidget(frame);
    layout->addWidget(m_client);
    return frame;
}

void Form::setBorderStyle(int style)
{
    m_borderStyle = style;
    m_framed = true;
}

void Form::setControlBox(bool controlBox)
{
    m_controlBox = controlBox;
    m_framed = true;
}

void Form::setShowInTaskbar(bool showInTaskbar)
{
    m_showInTaskbar = showInTaskbar;
    m_framed = true;
}

void Form::setStartUpPosition(int position)
{
    m_startUpPosition = position;
}

void Form::applyWindowFrame()
{
    auto *frame = qobject_cast<QFrame *>(m_window.data());
    if (!m_framed || !frame)
        return;
    // Tool windows stay out of the taskbar on every window system.
    Qt::WindowFlags flags = m_showInTaskbar && !isToolWindow() ? Qt::Window : Qt::Tool;
    const bool titleBar = m_controlBox || !Caption().isEmpty();
    if (m_borderStyle == 0) {
        flags |= Qt::FramelessWindowHint;
    } else if (titleBar) {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (m_controlBox)
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (m_controlBox && m_borderStyle == 2)
            flags |= Qt::WindowMinMaxButtonsHint;
    } else {
        // Without a title bar window managers draw no border either.
        flags |= Qt::FramelessWindowHint;
        if (m_borderStyle == 1) {
            frame->setFrameStyle(QFrame::Box | QFrame::Plain);
            frame->setLineWidth(1);
        } else {
            frame->setFrameStyle(QFrame::WinPanel | QFrame::Raised);
        }
    }
    frame->setWindowFlags(flags);
}

// The same design-time frame as a top-level window's, drawn by the MDI
// frame: a caption with the control box's buttons, or a bare caption
// without a system menu; fixed borders cannot be dragged.
void Form::applyChildFrame()
{
    auto *sub = static_cast<ChildWindow *>(m_window.data());
    Qt::WindowFlags flags = Qt::SubWindow;
    if (m_borderStyle == 0) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (m_controlBox)
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (m_controlBox && isSizable())
            flags |= Qt::WindowMinMaxButtonsHint;
    }
    sub->setWindowFlags(flags);
    if (!m_controlBox)
        sub->setSystemMenu(nullptr);
    sub->setFixedBorder(!isSizable());
    sub->setProperty(toolWindowProperty, isToolWindow());
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
        m_client = new QWidget;
        auto *sub = new ChildWindow(m_client);
        frame->area()->addSubWindow(sub);
        sub->hide();
        m_window = sub;
        applyChildFrame();
    } else {
        m_window = createWindow();
    }
    m_window->installEventFilter(this);
    if (clickSurface())
        clickSurface()->installEventFilter(this);

    createControls();
    for (auto it = m_tabOrder.begin(); it != m_tabOrder.end() && std::next(it) != m_tabOrder.end(); ++it)
        QWidget::setTabOrder(it->second, std::next(it)->second);
    if (m_keyPreview)
        qApp->installEventFilter(this);
    m_controlsReady = true;

    Form_Load();
    if (m_state == State::Loading)
        m_state = State::Loaded;
    if (m_showAfterLoad && isLoaded())
        showWindow();
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

bool Form::canMinimise() const
{
    // A child is minimised inside its frame, by the program.
    if (m_frame)
        return true;
    const Qt::WindowFlags flags = m_window->windowFlags();
    if (flags & Qt::WindowMinimizeButtonHint)
        return true;
    return !(flags & (Qt::CustomizeWindowHint | Qt::FramelessWindowHint)) && m_window->windowType() == Qt::Window;
}

// Some window managers offer to minimise any window, whatever it asked for.
// A window without a minimise button has no taskbar entry to come back from
// on such desktops, and it may be the program's only one: it comes back.
void Form::undoMinimise()
{
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
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
        applyWindowFrame();
        if (m_startUpPosition == 2) {
            m_window->adjustSize();
            QRect r = m_window->frameGeometry();
            r.moveCenter(QGuiApplication::primaryScreen()->geometry().center());
            m_window->move(r.topLeft());
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

std::int16_t Form::WindowState() const
{
    if (!m_window)
        return 0;
    const Qt::WindowStates s = m_window->windowState();
    if (s & Qt::WindowMinimized)
        return 1;
    if (s & Qt::WindowMaximized)
        return 2;
    return 0;
}

void Form::setWindowState(int state)
{
    if (!m_window || state == WindowState())
        return;
    QMdiSubWindow *sub = subWindow();
    if (sub && sub->isVisible()) {
        if (state == 1)
            sub->showMinimized();
        else if (state == 2)
            sub->showMaximized();
        else
            sub->showNormal();
        return;
    }
    const Qt::WindowState target = state == 1   ? Qt::WindowMinimized
                                   : state == 2 ? Qt::WindowMaximized
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
    if (QMdiSubWindow *sub = subWindow()) {
        sub->adjustSize();
        if (!isSizable())
            sub->setFixedSize(sub->size());
    }
}

void Form::setPosition(int leftTwips, int topTwips)
{
    m_window->move(rt::px(leftTwips), rt::px(topTwips));
}

void Form::setFixedDialog()
{
    m_window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                             | Qt::MSWindowsFixedSizeDialogHint);
}

void Form::centerOnScreen()
{
    const QRect free = m_window->screen()->availableGeometry();
    const QSize size = m_window->frameGeometry().size().expandedTo(m_window->size());
    m_window->move(free.center() - QPoint(size.width() / 2, size.height() / 2));
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
    handle->installEventFilter(this);
}

void Form::firstExposed()
{
    if (m_exposureWatch)
        m_exposureWatch->removeEventFilter(this);
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
    m_state = State::Unloaded;
    auto &forms = Forms::list();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (m_slot && *m_slot == this)
        *m_slot = nullptr;
    m_slot = nullptr;

    // No timer event after the unload, whatever is still queued.
    for (Timer *timer : findChildren<Timer *>())
        timer->setEnabled(false);
    if (m_keyPreview)
        qApp->removeEventFilter(this);
    if (m_exposureWatch)
        m_exposureWatch->removeEventFilter(this);
    if (m_window) {
        m_window->removeEventFilter(this);
        m_window->hide();
        m_window->deleteLater();
    }
    // The handler that unloaded this form may still be running in it.
    deleteLater();

    if (forms.empty())
        services().endProgram(0);
}

bool Form::eventFilter(QObject *watched, QEvent *event)
{
    if (m_state == State::Unloaded || !m_controlsReady)
        return false;

    switch (event->type()) {
    case QEvent::Expose:
        if (watched == m_exposureWatch && static_cast<QWindow *>(watched)->isExposed())
            firstExposed();
        break;
    case QEvent::Close:
        if (watched == m_window) {
            event->ignore();
            dispatch([this] { Unload(); });
            return true;
        }
        break;
    case QEvent::Resize:
        if (watched == m_window && m_window->isVisible())
            dispatch([this] { Form_Resize(); });
        break;
    case QEvent::WindowStateChange:
        // Raised once the change is complete: a handler that changes the
        // state again must not run inside the window system's own change.
        if (watched == m_window && !m_resizePending) {
            m_resizePending = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_resizePending = false;
                    if (!isLoaded() || !m_window || !m_window->isVisible())
                        return;
                    if (m_window->isMinimized() && !canMinimise()) {
                        undoMinimise();
                        return;
                    }
                    dispatch([this] { Form_Resize(); });
                },
                Qt::QueuedConnection);
        }
        break;
    case QEvent::MouseButtonRelease:
        if (watched == clickSurface() && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton
            && clickSurface()->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint())) {
            dispatch([this] { Form_Click(); });
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (m_keyPreview) {
            // A key event travels up from the focus widget to its parents; it
            // reaches the form once.
            auto *key = static_cast<QKeyEvent *>(event);
            if (event == m_lastKey && key->timestamp() == m_lastKeyTime)
                break;
            auto *widget = qobject_cast<QWidget *>(watched);
            const QString text = key->text();
            if (widget && widget->window() == m_window && !text.isEmpty()) {
                m_lastKey = event;
                m_lastKeyTime = key->timestamp();
                std::int16_t KeyAscii = keyAscii(text);
                dispatch([&] { Form_KeyPress(KeyAscii); });
                if (KeyAscii == 0)
                    return true;
            }
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace rt
