#pragma once

#include "dispatch.h"
#include "windowframe.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <type_traits>
#include <vector>

class QLineEdit;
class QWindow;
class QWidget;
class QMdiSubWindow;

namespace rt {

class FormEvents;
class MdiForm;
class Timer;
template <class F> F &form();
template <class F> void prepareForm();

// A window of the program. Each form class has one default instance, made
// and loaded when it is first reached through form<F>() (createControls()
// and then Form_Load run); Unload() runs Form_Unload(Cancel) while the window
// is still shown, then destroys it, and the next form<F>() loads a fresh one.
// The program ends when no form is loaded, not when the last window closes.
//
// An MDI child (a form whose mdiFrame() names its frame) loads and shows its
// frame before itself; unloading the frame unloads its children first. Its
// controls can be built ahead of the load, out of sight (prepareForm<F>()).
class Form : public QObject {
    Q_OBJECT
public:
    ~Form() override;

    [[nodiscard]] bool isLoaded() const { return m_state != State::Unloaded; }

    [[nodiscard]] bool Visible() const;
    void setVisible(bool visible);
    void Show() { setVisible(true); }

    // Setting the current state does nothing.
    [[nodiscard]] rt::WindowState WindowState() const;
    void setWindowState(rt::WindowState state);

    [[nodiscard]] QString Caption() const;
    void setCaption(const QString &caption);

    // The client area in twips.
    [[nodiscard]] int ScaleWidth() const;
    [[nodiscard]] int ScaleHeight() const;

    void Unload();

    // Runs `job` once the window is first on the screen, or at once if it
    // has been: work that must not delay the window's first appearance
    // starts from here.
    void whenFirstOnScreen(std::function<void()> job);

    // The window as the user sees it (top-level window or MDI child window),
    // and the client area that holds the controls.
    [[nodiscard]] QWidget *window() const { return m_window; }
    [[nodiscard]] QWidget *client() const { return m_client; }

protected:
    Form();

    // Builds the controls from the window's layout; runs once per load, before Form_Load.
    virtual void createControls() = 0;
    virtual void Form_Load() {}
    virtual void Form_Unload(std::int16_t &Cancel) { (void)Cancel; }
    virtual void Form_Resize() {}
    virtual void Form_Click() {}
    virtual void Form_KeyPress(std::int16_t &KeyAscii) { (void)KeyAscii; }

    // The frame of an MDI child, reached through its default instance; none
    // for other windows.
    virtual MdiForm *mdiFrame() { return nullptr; }
    // An MDI frame makes its own window here; others get a plain window.
    virtual QWidget *createWindow();
    void setClientWidget(QWidget *client) { m_client = client; }
    // The widget whose clicks are the form's Click event.
    virtual QWidget *clickSurface() const { return m_client; }

    // The window's frame is fixed at design: set it in the constructor,
    // before the window exists (see WindowFrame).
    void setBorderStyle(BorderStyle style);
    void setControlBox(bool controlBox);
    void setShowInTaskbar(bool showInTaskbar);
    void setStartUpPosition(StartUpPosition position);

    // The fixed size of the client area, in twips.
    void setClientSize(int widthTwips, int heightTwips);
    // Where the window first stands: on the screen, or inside its MDI frame.
    void setPosition(int leftTwips, int topTwips);
    // The size of the whole window, frame and all, in twips.
    void setSize(int widthTwips, int heightTwips);
    // A fixed dialog frame: a title and a close box, no minimise or maximise
    // (the size is fixed by setClientSize()).
    void setFixedDialog();
    // The timer counts its interval from the moment the window is first on
    // the screen rather than from the load: the window system may take a
    // while to map a new window. Until then it counts from where it started.
    void countFromFirstExposure(Timer *timer);
    // Key presses go to Form_KeyPress before the control with the focus.
    void setKeyPreview(bool keyPreview) { m_keyPreview = keyPreview; }
    // Focus order: controls in ascending tab index; applied after createControls().
    void setTabIndex(QWidget *control, int tabIndex);

    // Connects a control's signal to a handler through the dispatcher. The
    // handler gets the signal's arguments when it takes them (ButtonClick's
    // Button, KeyPress's KeyAscii).
    template <class Sender, class Signal, class Handler> void on(Sender *sender, Signal signal, Handler handler)
    {
        QObject::connect(sender, signal, this, [handler = std::move(handler)](auto &&...args) {
            dispatch([&] { callHandler(handler, std::forward<decltype(args)>(args)...); });
        });
    }
    // The choice between the two calls is made where the arguments are
    // template parameters: clang checks a call that names none as soon as
    // on() is instantiated, even in the branch the arguments rule out.
    template <class Handler, class... Args> static void callHandler(const Handler &handler, Args &&...args)
    {
        if constexpr (std::is_invocable_v<const Handler &, Args...>)
            handler(std::forward<Args>(args)...);
        else
            handler();
    }

private:
    template <class F> friend F &form();
    template <class F> friend void prepareForm();
    friend class Forms;
    friend class FormEvents;
    enum class State { Unloaded, Loading, Loaded, Unloading };

    void load();
    void prepareControls();
    void fitSubWindow();
    void finishUnload();
    void showWindow();
    [[nodiscard]] QMdiSubWindow *subWindow() const;
    [[nodiscard]] QWidget *focusedControl() const;
    [[nodiscard]] static QLineEdit *textOf(QWidget *control);
    void restoreFocus();
    void leaveList();
    // No longer waiting for its load: out of the forms built ahead.
    void leavePrepared();
    void watchFirstExposure();
    void firstExposed();

    State m_state = State::Unloaded;
    Form **m_slot = nullptr;
    // Set while the controls are built ahead and the form waits for its load.
    Form **m_preparedSlot = nullptr;
    // What createControls() set before there was a window to set it on.
    std::optional<QString> m_pendingCaption;
    std::optional<QPoint> m_pendingPosition;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_client;
    // The control that had the keyboard focus when the window was hidden,
    // and where its text cursor and selection stood.
    struct HiddenText {
        int cursor = 0;
        int selectionStart = -1;
        int selectionLength = 0;
    };
    QPointer<QWidget> m_hiddenFocus;
    HiddenText m_hiddenText;
    MdiForm *m_frame = nullptr;
    bool m_showAfterLoad = false;
    bool m_keyPreview = false;
    bool m_controlsReady = false;
    bool m_shown = false;
    WindowFrame m_design;
    StartUpPosition m_startUpPosition = StartUpPosition::WindowSystem;
    bool m_frameApplied = false;
    FormEvents *m_events = nullptr;
    std::map<int, QWidget *> m_tabOrder;
    std::vector<std::function<void()>> m_onScreenJobs;
    bool m_wasOnScreen = false;
    QPointer<QWindow> m_exposureWatch;
};

// The loaded forms, in loading order; and teardown for tests.
class Forms {
public:
    [[nodiscard]] static const std::vector<Form *> &loaded();
    // Destroys every form at once, running no handlers; forms prepared and
    // never loaded go too.
    static void destroyAll();

private:
    friend class Form;
    template <class F> friend void prepareForm();
    static std::vector<Form *> &list();
    static std::vector<Form *> &preparedList();
};

namespace detail {
template <class F> inline Form *defaultInstance = nullptr;
template <class F> inline Form *preparedInstance = nullptr;
} // namespace detail

// The default instance of form class F, made and loaded on first reference
// (made ahead by prepareForm<F>(), it is loaded now).
template <class F> F &form()
{
    Form *&slot = detail::defaultInstance<F>;
    if (!slot) {
        F *instance = nullptr;
        if (Form *prepared = detail::preparedInstance<F>) {
            prepared->leavePrepared();
            instance = static_cast<F *>(prepared);
        } else {
            instance = new F;
        }
        instance->m_slot = &slot;
        slot = instance;
        instance->load();
    }
    return static_cast<F &>(*slot);
}

// Makes the default instance of the MDI child form F and builds its controls
// ahead of its load, out of sight: no window reaches the screen, the frame is
// neither made nor loaded, and Form_Load waits for form<F>(), which then only
// has to put the controls in their window. Does nothing once F is loaded.
template <class F> void prepareForm()
{
    if (detail::defaultInstance<F> || detail::preparedInstance<F>)
        return;
    auto *instance = new F;
    instance->prepareControls();
    detail::preparedInstance<F> = instance;
    instance->m_preparedSlot = &detail::preparedInstance<F>;
    Forms::preparedList().push_back(instance);
}

// True when F's default instance is loaded; does not load it.
template <class F> bool isLoaded()
{
    return detail::defaultInstance<F> != nullptr;
}

} // namespace rt
