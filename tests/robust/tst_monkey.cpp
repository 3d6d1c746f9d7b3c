// Random input over the calendar window and the frame: key presses, clicks,
// drags and typed texts of any kind, delivered through the window system's
// path (shortcuts, popups and focus as a user meets them), with slideshow
// ticks among them. After every event: no run-time error, and the grid
// shows either the engine's month for the selection just drawn or what it
// showed before (the three cells that take typing may hold the user's own
// text).
//
// The site browser gets the same treatment over a page view double: keys,
// clicks on the toolbar, the address box and its list, addresses typed and
// entered, loads ending, the window resized down to nothing. After every
// event and a tick of its timer: no run-time error, and the caption says
// "Working..." while a load runs and names the page otherwise.
//
// The seed is printed; TEMPORIA_MONKEY_SEED=<seed> replays a run and
// TEMPORIA_MONKEY_EVENTS=<count> changes its length. A failure lists the
// events that led to it.
//
// Closing: nothing here sends a close request to the frame (that ends the
// program by design). Keys that might close the calendar window on their own
// (Alt+F4, Ctrl+F4, Ctrl+W) are sent; should the window go, the test checks
// that the next tick brings it back with today's month.
#include "about/frmabout.h"
#include "browser/frmbrowser.h"
#include "calendar/form1.h"
#include "calendarcells.h"
#include "doubles.h"
#include "engine/calendar.h"
#include "shell/mdiform1.h"
#include "webdouble.h"

#include <QInputMethodEvent>
#include <QMdiSubWindow>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <array>
#include <deque>
#include <map>
#include <optional>
#include <random>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int defaultEvents = 5'000; // AddressSanitizer: a quarter, for time
#else
constexpr int defaultEvents = 20'000;
#endif
constexpr std::uint32_t defaultSeed = 0x7E3C0A1D;
constexpr std::array typingCells{25, 32, 39}; // the cells that take typing

bool takesTyping(int cell)
{
    return std::find(typingCells.begin(), typingCells.end(), cell) != typingCells.end();
}

std::uint32_t fromEnvironment(const char *name, std::uint32_t fallback)
{
    bool ok = false;
    const std::uint32_t value = qEnvironmentVariable(name).toUInt(&ok, 0);
    return ok ? value : fallback;
}

using testing::cells;
using testing::expectedCells;

// The selection the window would draw now; nothing when a selector holds no item.
std::optional<engine::Selection> selection(const Form1 &f)
{
    const engine::Selection s{f.millenium->ListIndex(), f.century->ListIndex(), f.decade->ListIndex(),
                              f.yearc->ListIndex(), f.monthc->ListIndex()};
    if (!s.isValid())
        return std::nullopt;
    return s;
}

// Qt warns once per font about scripts no installed font shapes, and the
// offscreen platform about popups it cannot raise or grab for: noise here.
class QuietNoise {
public:
    QuietNoise() { s_passOn = qInstallMessageHandler(filter); }
    ~QuietNoise() { qInstallMessageHandler(s_passOn); }
    QuietNoise(const QuietNoise &) = delete;
    QuietNoise &operator=(const QuietNoise &) = delete;

private:
    static void filter(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (!message.contains(QStringLiteral("OpenType support missing"))
            && !message.startsWith(QStringLiteral("This plugin does not support")))
            s_passOn(type, context, message);
    }
    static inline QtMessageHandler s_passOn = nullptr;
};

QString describe(const QString &what)
{
    return what.size() > 60 ? what.left(57) + QStringLiteral("...") : what;
}

// A failure with its seed and the events that led to it.
QString report(std::uint32_t seed, const QString &failure, const std::deque<QString> &recent)
{
    QString trail;
    for (const QString &e : recent)
        trail += QStringLiteral("\n    ") + e;
    return QStringLiteral("seed 0x%1: %2; the last events:%3").arg(seed, 8, 16, QLatin1Char('0')).arg(failure, trail);
}

// The window keys go to: the one with the focus, else the given one.
QWindow *focusedOr(QWindow *fallback)
{
    return QGuiApplication::focusWindow() ? QGuiApplication::focusWindow() : fallback;
}

// A key pressed and released; returns the event's description.
QString pressKey(QWindow *window, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(window, key, modifiers);
    return QStringLiteral("key %1").arg(QKeySequence(key | modifiers).toString());
}

// Text as a keyboard sends it: one key event carrying it.
void sendText(QWindow *window, const QString &text)
{
    QTest::sendKeyEvent(QTest::Press, window, Qt::Key_unknown, text, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, window, Qt::Key_unknown, text, Qt::NoModifier);
}

class Monkey {
public:
    explicit Monkey(std::uint32_t seed)
        : m_random(seed)
    {
    }

    int below(int n) { return static_cast<int>(m_random() % static_cast<std::uint32_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }

    // Any text a user or an input method could produce, from nothing to tens
    // of thousands of characters: letters of every script, digits, month
    // names, controls, combining marks, right-to-left marks, characters
    // outside the basic plane and lone surrogate halves.
    QString text()
    {
        const int kind = below(100);
        if (kind < 10)
            return {};
        if (kind < 20) {
            static const QStringList known{"0", "7", "9", "10", "-1", "January", "jun", "DECEMBER", "Février", " 3"};
            return known.at(below(static_cast<int>(known.size())));
        }
        const int length = kind < 70 ? 1 + below(12) : kind < 98 ? 13 + below(200) : 10'000 + below(30'000);
        QString s;
        s.reserve(length * 2);
        while (s.size() < length) {
            const int c = below(100);
            if (c < 35)
                s += QChar(0x20 + below(0x5F));
            else if (c < 45)
                s += QChar('0' + below(10));
            else if (c < 70)
                s += QChar(static_cast<char16_t>(0x80 + below(0xD800 - 0x80)));
            else if (c < 80) {
                const char32_t astral = 0x10000 + static_cast<char32_t>(below(0x100000));
                s += QString::fromUcs4(&astral, 1);
            } else if (c < 83)
                s += QChar(static_cast<char16_t>(0xD800 + below(0x800)));
            else if (c < 90) {
                static constexpr char16_t controls[] = {0x00,   0x08,   0x09,   0x0A,   0x0D,   0x1B,  0x7F,
                                                        0x200B, 0x200E, 0x200F, 0x202E, 0xFEFF, 0xFFFF};
                s += QChar(controls[below(std::size(controls))]);
            } else
                s += QChar(static_cast<char16_t>(0x300 + below(0x70)));
        }
        return s;
    }

    Qt::Key key()
    {
        static constexpr Qt::Key keys[] = {
            Qt::Key_0,     Qt::Key_1,      Qt::Key_2,        Qt::Key_5,         Qt::Key_9,      Qt::Key_A,
            Qt::Key_J,     Qt::Key_T,      Qt::Key_S,        Qt::Key_Z,         Qt::Key_Space,  Qt::Key_Return,
            Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Tab,      Qt::Key_Tab,       Qt::Key_Tab,    Qt::Key_Backtab,
            Qt::Key_Up,    Qt::Key_Down,   Qt::Key_Down,     Qt::Key_Left,      Qt::Key_Right,  Qt::Key_Home,
            Qt::Key_End,   Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_F4,
            Qt::Key_F6,    Qt::Key_F10,    Qt::Key_Menu,     Qt::Key_Insert,    Qt::Key_W,      Qt::Key_V,
            Qt::Key_C,     Qt::Key_X,      Qt::Key_Minus,
        };
        return keys[below(std::size(keys))];
    }

    Qt::KeyboardModifiers modifiers()
    {
        const int m = below(100);
        if (m < 60)
            return Qt::NoModifier;
        if (m < 72)
            return Qt::AltModifier;
        if (m < 84)
            return Qt::ControlModifier;
        if (m < 94)
            return Qt::ShiftModifier;
        return Qt::ControlModifier | Qt::ShiftModifier;
    }

    QPoint pointIn(const QRect &r)
    {
        return {r.left() + below(qMax(1, r.width())), r.top() + below(qMax(1, r.height()))};
    }

private:
    std::mt19937 m_random;
};

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    void randomInput();
    void randomInputInTheBrowser();
};

void TestMonkey::randomInput()
{
    const std::uint32_t seed = fromEnvironment("TEMPORIA_MONKEY_SEED", defaultSeed);
    const int eventCount = static_cast<int>(fromEnvironment("TEMPORIA_MONKEY_EVENTS", defaultEvents));
    qInfo("seed 0x%08X, %d events (replay: TEMPORIA_MONKEY_SEED=0x%08X)", seed, eventCount, seed);

    const QuietNoise quiet;

    testing::ProgramDoubles d;
    d.date.date = QDate(2026, 6, 15);
    rt::form<Form1>().setVisible(true);
    MDIForm1 &frame = rt::form<MDIForm1>();
    QWindow *frameWindow = frame.window()->windowHandle();
    frame.window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame.window()));

    Monkey monkey(seed);
    std::deque<QString> recent; // the last events, for the failure message
    QString failure;
    QStringList shown = cells(rt::form<Form1>());
    QObject watch;
    int drawings = 0;
    int refusals = 0;
    int comebacks = 0;
    std::map<QString, int> counts;

    // Every drawing, by the button or a step through the months, shows the
    // month the selectors hold; every press of the button, however it came
    // (click, Space, Enter, Alt+T), without a valid selection leaves the grid
    // alone.
    auto watchButton = [&](Form1 &f) {
        QObject::connect(&f, &Form1::drawn, &watch, [&] {
            Form1 &calendar = rt::form<Form1>();
            const QStringList now = cells(calendar);
            ++drawings;
            const auto s = selection(calendar);
            if ((!s || now != expectedCells(*s)) && failure.isEmpty())
                failure = QStringLiteral("the drawing is not the month selected");
            shown = now;
        });
        QObject::connect(f.go, &QAbstractButton::clicked, &watch, [&] {
            Form1 &calendar = rt::form<Form1>();
            const QStringList now = cells(calendar);
            if (selection(calendar)) {
                // Drawn, and watched as such.
            } else {
                ++refusals;
                if (now != shown && failure.isEmpty())
                    failure = QStringLiteral("a press without a valid selection changed the grid");
            }
            shown = now;
        });
    };
    watchButton(rt::form<Form1>());

    for (int i = 0; i < eventCount && failure.isEmpty(); ++i) {
        Form1 &f = rt::form<Form1>();
        QWidget *popup = QApplication::activePopupWidget();
        QWindow *target = focusedOr(frameWindow);
        QString event;
        const int kind = monkey.below(100);
        if (kind < 38) {
            const Qt::Key key = monkey.key();
            const Qt::KeyboardModifiers mods = monkey.modifiers();
            event = pressKey(target, key, mods);
            ++counts[QStringLiteral("key presses")];
        } else if (kind < 42) {
            const Qt::Key key = std::array{Qt::Key_T, Qt::Key_F4, Qt::Key_W}[static_cast<std::size_t>(monkey.below(3))];
            const Qt::KeyboardModifiers mods = key == Qt::Key_T ? Qt::AltModifier : Qt::ControlModifier;
            event = pressKey(target, key, mods);
            ++counts[QStringLiteral("key presses")];
        } else if (kind < 50) {
            // A user choosing: a click in a selector's text field, Ctrl+A and
            // an item's text typed over it; now and then all five and Alt+T.
            const std::array selectors{f.monthc, f.millenium, f.century, f.decade, f.yearc};
            const bool all = monkey.chance(30);
            event = all ? QStringLiteral("choose") : QStringLiteral("choose in");
            for (std::size_t k = 0; k < (all ? selectors.size() : 1); ++k) {
                rt::ComboBox *combo = selectors[all ? k : static_cast<std::size_t>(monkey.below(5))];
                const QString item = combo->itemText(monkey.below(combo->count()));
                event += QStringLiteral(" %1 \"%2\"").arg(combo->objectName(), item);
                // Out of reach while the window is minimised or dragged aside.
                const QPoint at = combo->mapTo(frame.window(), QPoint(4, combo->height() / 2));
                if (combo->isVisible() && frame.window()->rect().contains(at))
                    QTest::mouseClick(frameWindow, Qt::LeftButton, {}, at);
                QWindow *window = focusedOr(frameWindow);
                QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
                sendText(window, item);
            }
            if (all) {
                event += QStringLiteral(", Alt+T");
                QTest::keyClick(focusedOr(frameWindow), Qt::Key_T, Qt::AltModifier);
            }
            ++counts[QStringLiteral("choices typed into the selectors")];
        } else if (kind < 72) {
            // Mostly on the calendar window, some on the background, some in an open list.
            QWindow *window = frameWindow;
            QPoint at;
            if (popup && monkey.chance(50)) {
                window = popup->window()->windowHandle();
                at = monkey.pointIn(popup->rect());
            } else if (const QRect sub = QRect(f.window()->mapTo(frame.window(), QPoint()), f.window()->size())
                                         & frame.window()->rect();
                       !sub.isEmpty() && monkey.chance(75)) {
                at = monkey.pointIn(sub);
            } else {
                at = monkey.pointIn(frame.window()->rect());
            }
            const int how = monkey.below(10);
            if (how < 7) {
                event = QStringLiteral("click at %1,%2").arg(at.x()).arg(at.y());
                QTest::mouseClick(window, Qt::LeftButton, {}, at);
            } else if (how < 9) {
                event = QStringLiteral("double click at %1,%2").arg(at.x()).arg(at.y());
                QTest::mouseDClick(window, Qt::LeftButton, {}, at);
            } else {
                const QRect inside = window == frameWindow ? frame.window()->rect() : popup->rect();
                const QPoint moved = at + QPoint(monkey.below(81) - 40, monkey.below(81) - 40);
                const QPoint to(std::clamp(moved.x(), inside.left(), inside.right()),
                                std::clamp(moved.y(), inside.top(), inside.bottom()));
                event = QStringLiteral("drag %1,%2 to %3,%4").arg(at.x()).arg(at.y()).arg(to.x()).arg(to.y());
                QTest::mousePress(window, Qt::LeftButton, {}, at);
                QTest::mouseMove(window, to);
                QTest::mouseRelease(window, Qt::LeftButton, {}, to);
            }
            ++counts[QStringLiteral("clicks and drags")];
        } else if (kind < 97) {
            const QString typed = monkey.text();
            ++counts[QStringLiteral("typed texts")];
            if (typed.size() > 1000)
                ++counts[QStringLiteral("typed texts over 1,000 characters")];
            if (monkey.chance(50)) {
                // As a keyboard sends it: one key event carrying the text.
                event = QStringLiteral("key event with %1 characters \"%2\"").arg(typed.size()).arg(describe(typed));
                sendText(target, typed);
            } else {
                // As an input method commits it, to whatever accepts input.
                event =
                    QStringLiteral("input method commits %1 characters \"%2\"").arg(typed.size()).arg(describe(typed));
                if (QObject *focus = QGuiApplication::focusObject()) {
                    QInputMethodQueryEvent query(Qt::ImEnabled);
                    QCoreApplication::sendEvent(focus, &query);
                    if (query.value(Qt::ImEnabled).toBool()) {
                        QInputMethodEvent commit;
                        commit.setCommitString(typed);
                        QCoreApplication::sendEvent(focus, &commit);
                    }
                }
            }
        } else {
            event = QStringLiteral("slideshow tick");
            ++counts[QStringLiteral("slideshow ticks")];
            d.clock.advance(20000);
        }
        QCoreApplication::processEvents();

        recent.push_back(QStringLiteral("%1: %2").arg(i).arg(event));
        if (recent.size() > 25)
            recent.pop_front();

        if (!d.messages.shown.empty())
            failure = QStringLiteral("run-time error message: ") + d.messages.shown.front().text;
        else if (!d.endings.empty())
            failure = QStringLiteral("the program ended");
        else if (!rt::isLoaded<MDIForm1>())
            failure = QStringLiteral("the frame was unloaded");
        else if (!rt::isLoaded<Form1>()) {
            // Closed by a key: the next tick brings it back, on today's month.
            ++comebacks;
            d.clock.advance(20000);
            Form1 &back = rt::form<Form1>();
            if (!back.Visible() || cells(back) != expectedCells({2, 0, 2, 6, 5}))
                failure = QStringLiteral("the calendar window did not come back on today's month");
            shown = cells(back);
            watchButton(back);
        } else {
            // No press of the button: the grid is as it was, apart from the
            // user's notes in the cells that take typing.
            const QStringList now = cells(rt::form<Form1>());
            for (int n = 0; n < engine::cellCount && failure.isEmpty(); ++n) {
                if (!takesTyping(n) && now.at(n) != shown.at(n))
                    failure = QStringLiteral("cell %1 changed from \"%2\" to \"%3\" without a drawing")
                                  .arg(n)
                                  .arg(shown.at(n), describe(now.at(n)));
            }
            shown = now;
        }
    }

    for (const auto &[what, count] : counts)
        qInfo("%s: %d", qPrintable(what), count);
    qInfo("drawings: %d, presses refused for want of a selection: %d, beeps: %d, calendar window closed and back: %d",
          drawings, refusals, d.messages.beeps, comebacks);
    if (!failure.isEmpty()) {
        QFAIL(qPrintable(report(seed, failure, recent)));
    }
    QVERIFY2(drawings > 0, "no event drew a month: the monkey missed the button");
}

void TestMonkey::randomInputInTheBrowser()
{
    const std::uint32_t seed = fromEnvironment("TEMPORIA_MONKEY_SEED", defaultSeed);
    const int eventCount = static_cast<int>(fromEnvironment("TEMPORIA_MONKEY_EVENTS", defaultEvents)) / 4;
    qInfo("seed 0x%08X, %d events (replay: TEMPORIA_MONKEY_SEED=0x%08X)", seed, eventCount, seed);

    const QuietNoise quiet;

    testing::ProgramDoubles d;
    rt::form<frmBrowser>().setVisible(true);
    QWidget *window = rt::form<frmBrowser>().window();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));

    Monkey monkey(seed);
    std::deque<QString> recent;
    QString failure;
    std::map<QString, int> counts;

    // A menu run in a loop of its own (the toolbar's button for the buttons
    // that do not fit) waits for the user: here the user picks from it or
    // presses Esc.
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        QWidget *popup = QApplication::activePopupWidget();
        if (!popup || QThread::currentThread()->loopLevel() == 0)
            return;
        if (monkey.chance(50)) {
            ++counts[QStringLiteral("picks from a menu in its own loop")];
            QWindow *menu = popup->windowHandle();
            QTest::mouseClick(menu, Qt::LeftButton, {}, monkey.pointIn(QRect(QPoint(), menu->size())));
        } else {
            QTest::keyClick(popup->windowHandle(), Qt::Key_Escape);
        }
    });
    user.start(0);

    for (int i = 0; i < eventCount && failure.isEmpty(); ++i) {
        frmBrowser &b = rt::form<frmBrowser>();
        QWidget *top = b.window();
        QWindow *handle = top->windowHandle();
        QWidget *popup = QApplication::activePopupWidget();
        QWindow *target = focusedOr(handle);
        testing::FakeWebBrowser *view = d.web.last();
        QString event;
        const int kind = monkey.below(100);
        if (kind < 30) {
            const Qt::Key key = monkey.key();
            const Qt::KeyboardModifiers mods = monkey.modifiers();
            event = pressKey(target, key, mods);
            ++counts[QStringLiteral("key presses")];
        } else if (kind < 45) {
            // An address typed over the box's text and entered.
            const QString typed = monkey.text();
            event = QStringLiteral("address of %1 characters \"%2\" entered").arg(typed.size()).arg(describe(typed));
            ++counts[QStringLiteral("addresses entered")];
            QTest::keyClick(handle, Qt::Key_A, Qt::AltModifier);
            QWindow *at = focusedOr(handle);
            QTest::keyClick(at, Qt::Key_A, Qt::ControlModifier);
            sendText(at, typed);
            QTest::keyClick(at, Qt::Key_Return);
        } else if (kind < 70) {
            // Mostly on the toolbar and the address row, some in an open list.
            QWindow *on = handle;
            QPoint at;
            if (popup && monkey.chance(50)) {
                on = popup->window()->windowHandle();
                at = monkey.pointIn(QRect(QPoint(), on->size()));
            } else {
                const QRect whole(QPoint(), handle->size());
                const QRect upper =
                    QRect(0, 0, whole.width(), b.picAddress->mapTo(top, QPoint()).y() + b.picAddress->height()) & whole;
                at = monkey.pointIn(monkey.chance(70) && !upper.isEmpty() ? upper : whole);
            }
            if (monkey.chance(80)) {
                event = QStringLiteral("click at %1,%2").arg(at.x()).arg(at.y());
                QTest::mouseClick(on, Qt::LeftButton, {}, at);
            } else {
                event = QStringLiteral("double click at %1,%2").arg(at.x()).arg(at.y());
                QTest::mouseDClick(on, Qt::LeftButton, {}, at);
            }
            ++counts[QStringLiteral("clicks")];
        } else if (kind < 82) {
            const QString typed = monkey.text();
            event = QStringLiteral("key event with %1 characters \"%2\"").arg(typed.size()).arg(describe(typed));
            ++counts[QStringLiteral("typed texts")];
            sendText(target, typed);
        } else if (kind < 92) {
            event = QStringLiteral("the load ends");
            ++counts[QStringLiteral("loads ended")];
            if (view && view->busy)
                view->finishLoad();
        } else if (kind < 97) {
            // From nothing at all to larger than the screen.
            const QSize size(monkey.chance(30) ? monkey.below(8) : monkey.below(1600),
                             monkey.chance(30) ? monkey.below(8) : monkey.below(1200));
            event = QStringLiteral("resized to %1x%2").arg(size.width()).arg(size.height());
            ++counts[QStringLiteral("resizes")];
            top->resize(size);
        } else if (kind < 98) {
            // Closed and reached again: a fresh page view, with no page to go back or forward to.
            event = QStringLiteral("closed and opened again");
            ++counts[QStringLiteral("closed and opened again")];
            if (view)
                counts[QStringLiteral("pages asked for")] += static_cast<int>(view->requests.size());
            b.Unload();
            rt::form<frmBrowser>().setVisible(true);
            if (rt::isLoaded<frmAbout>())
                rt::form<frmAbout>().Unload();
            rt::form<frmBrowser>().window()->activateWindow();
        } else {
            event = monkey.chance(50) ? QStringLiteral("minimised") : QStringLiteral("restored");
            ++counts[QStringLiteral("minimised or restored")];
            if (event == QLatin1String("minimised"))
                top->showMinimized();
            else
                top->showNormal();
        }
        QCoreApplication::processEvents();
        d.clock.advance(5);
        QCoreApplication::processEvents();

        recent.push_back(QStringLiteral("%1: %2").arg(i).arg(event));
        if (recent.size() > 25)
            recent.pop_front();

        if (!d.messages.shown.empty()) {
            failure = QStringLiteral("run-time error message: ") + d.messages.shown.front().text;
        } else if (!d.endings.empty()) {
            failure = QStringLiteral("the program ended");
        } else if (!rt::isLoaded<frmBrowser>()) {
            failure = QStringLiteral("the browser window was unloaded");
        } else if ((view = d.web.last())) {
            const QString caption = rt::form<frmBrowser>().Caption();
            const QString expected = view->busy ? QStringLiteral("Working...") : view->LocationName();
            if (caption != expected)
                failure =
                    QStringLiteral("the caption says \"%1\", not \"%2\"").arg(describe(caption), describe(expected));
        }
    }

    if (const testing::FakeWebBrowser *last = d.web.last())
        counts[QStringLiteral("pages asked for")] += static_cast<int>(last->requests.size());
    for (const auto &[what, count] : counts)
        qInfo("%s: %d", qPrintable(what), count);
    if (!failure.isEmpty()) {
        QFAIL(qPrintable(report(seed, failure, recent)));
    }
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
