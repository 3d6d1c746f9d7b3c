#include "dategoto.h"

#include "calendar/calendargrid.h"
#include "engine/calendar.h"
#include "runtime.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <functional>
#include <variant>

using rt::color;
using namespace rt::colours;

namespace {

// A frameless popup in the calendar's colours and fonts, with a line in the
// weekday names' dark blue round it; it says when it closes, however it closes.
class GotoPanel final : public QWidget {
public:
    explicit GotoPanel(QWidget *parent)
        : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint)
    {
        setAttribute(Qt::WA_WindowPropagation); // the window's palette and font
        setAutoFillBackground(true);
    }

    std::function<void()> onHidden;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QWidget::paintEvent(event);
        QPainter painter(this);
        painter.setPen(color(darkBlue));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    void hideEvent(QHideEvent *event) override
    {
        QWidget::hideEvent(event);
        if (onHidden)
            onHidden();
    }
};

bool isCtrlG(const QKeyEvent &key)
{
    return key.key() == Qt::Key_G && (key.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

} // namespace

DateGoto::DateGoto(CalendarGrid &grid)
    : QObject(grid.clientArea())
    , m_grid(grid)
{
    for (QWidget *control : grid.focusableControls())
        control->installEventFilter(this);
    // Ctrl+G reaches every control through the filter, as the window's other
    // keys do; the action's shortcut is what the menu shows beside it.
    m_action = new QAction(QStringLiteral("&Go to date..."), this);
    m_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    m_action->setShortcutContext(Qt::WidgetShortcut);
    connect(m_action, &QAction::triggered, this, [this] { rt::dispatch([this] { open(); }); });
    grid.clientArea()->addAction(m_action);
}

DateGoto::~DateGoto()
{
    if (m_popup) {
        static_cast<GotoPanel *>(m_popup.data())->onHidden = nullptr;
        delete m_popup;
    }
}

void DateGoto::build()
{
    // Made on first use: a window that may never open costs nothing at the start.
    auto *panel = new GotoPanel(m_grid.clientArea());
    panel->setObjectName(QStringLiteral("dateGoto"));
    panel->onHidden = [this] { closed(); };
    auto *label = new rt::Label(QStringLiteral("Go to date:"), panel);
    label->setFont(rt::font(QStringLiteral("Times New Roman"), 9.75, true)); // as the selectors' titles
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto *field = new rt::TextBox(panel);
    field->setObjectName(QStringLiteral("dateField"));
    field->setAccessibleName(QStringLiteral("Go to date"));
    field->setAccessibleDescription(
        QStringLiteral("A day, a month or a year, such as 14 July 1789, July 1789 or 1789; Up and Down recall the "
                       "dates gone to"));
    field->setPlaceholderText(QStringLiteral("14 July 1789"));
    label->setBuddy(field);
    field->installEventFilter(this);
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 5, 5, 5);
    row->setSpacing(6);
    row->addWidget(label);
    row->addWidget(field, 1);
    m_popup = panel;
    m_field = field;
    // The frame hides and shows the calendar at each new photograph, which
    // puts the focus back in it: while the field is open it keeps the focus.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && m_popup->isVisible() && now->window() != m_popup)
            m_field->setFocus(Qt::PopupFocusReason);
    });
}

void DateGoto::place()
{
    // As wide as the grid, across the weekday names: the month stays in view.
    QRect grid;
    for (const QWidget *part : m_grid.gridParts()) {
        if (!part->isHidden())
            grid |= part->geometry();
    }
    int rowHeight = grid.height();
    for (const QWidget *part : m_grid.gridParts()) {
        if (!part->isHidden() && part->y() == grid.top())
            rowHeight = std::min(rowHeight, part->height());
    }
    const QSize size(grid.width(), m_popup->sizeHint().height());
    QRect where(m_grid.clientArea()->mapToGlobal(QPoint(grid.left(), grid.top() + (rowHeight - size.height()) / 2)),
                size);
    // Whole on the screen, wherever the window stands.
    if (const QScreen *screen = m_grid.clientArea()->screen()) {
        const QRect room = screen->availableGeometry();
        where.moveLeft(std::clamp(where.left(), room.left(), std::max(room.left(), room.right() + 1 - where.width())));
        where.moveTop(std::clamp(where.top(), room.top(), std::max(room.top(), room.bottom() + 1 - where.height())));
    }
    m_popup->setGeometry(where);
}

void DateGoto::open()
{
    if (m_popup && m_popup->isVisible())
        return;
    if (!m_popup)
        build();
    m_returnTo = QApplication::focusWidget();
    m_field->clear();
    m_recalled = -1;
    m_typed.clear();
    place();
    m_popup->show();
    m_field->setFocus(Qt::PopupFocusReason);
}

void DateGoto::go()
{
    const QString text = m_field->text();
    const QDate today = rt::services().date->today();
    const std::variant<DateInput, QString> read = readDate(text, QLocale(), today.year(), today.month(), today.day());
    if (const auto *why = std::get_if<QString>(&read)) {
        // Where the person is looking; the text stays for correction.
        rt::services().messages->beep();
        rt::Balloon::show(m_field, *why);
        return;
    }
    const DateInput where = std::get<DateInput>(read);
    remember(text.trimmed(), where);
    m_going = true;
    m_popup->hide();
    m_going = false;
    if (where.kind == DateInput::Kind::Day) {
        m_grid.chooseDay({where.year, where.month, where.day});
        return;
    }
    m_grid.showMonth(where.year, where.month);
    const engine::MonthLayout month = engine::layout(engine::selectionOf(where.year, where.month));
    m_grid.dayCell(month.startCell)->setFocus(Qt::OtherFocusReason);
}

void DateGoto::cancel()
{
    m_popup->hide();
}

void DateGoto::closed()
{
    if (!m_going && m_returnTo)
        m_returnTo->setFocus(Qt::PopupFocusReason);
    m_returnTo = nullptr;
}

void DateGoto::remember(const QString &text, const DateInput &where)
{
    std::erase_if(m_history, [&](const Recalled &entry) { return entry.where == where; });
    m_history.insert(m_history.begin(), {text, where});
    if (m_history.size() > historySize)
        m_history.resize(historySize);
}

void DateGoto::recall(int step)
{
    const int to = std::clamp(m_recalled + step, -1, static_cast<int>(m_history.size()) - 1);
    if (to == m_recalled)
        return;
    if (m_recalled == -1)
        m_typed = m_field->text();
    m_recalled = to;
    m_field->setText(to == -1 ? m_typed : m_history[static_cast<std::size_t>(to)].text);
}

bool DateGoto::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto &key = static_cast<const QKeyEvent &>(*event);
    if (watched != m_field) {
        if (!isCtrlG(key))
            return false;
        rt::dispatch([this] { open(); });
        return true;
    }
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        rt::dispatch([this] { go(); });
        return true;
    case Qt::Key_Escape:
        rt::dispatch([this] { cancel(); });
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        rt::dispatch([this, &key] { recall(key.key() == Qt::Key_Up ? 1 : -1); });
        return true;
    default:
        return false;
    }
}
