#include "balloon.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QToolTip>

#include <algorithm>

namespace rt {
namespace {

QPointer<Balloon> &shown()
{
    static QPointer<Balloon> balloon;
    return balloon;
}

// Wide enough for a sentence and the twelve month names in three lines.
constexpr int maxWidth = 320;

} // namespace

void Balloon::show(QWidget *control, const QString &text)
{
    if (Balloon *old = current())
        old->dismiss();
    shown() = new Balloon(control, text);
}

Balloon *Balloon::current()
{
    Balloon *balloon = shown();
    return balloon && balloon->isVisible() ? balloon : nullptr;
}

Balloon::Balloon(QWidget *control, const QString &text)
    : QLabel(text, control->window(), Qt::ToolTip | Qt::BypassGraphicsProxyWidget)
    , m_control(control)
{
    setObjectName(QStringLiteral("balloon"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMargin(4);
    const int width = std::min(fontMetrics().horizontalAdvance(text) + 2 * (margin() + frameWidth()) + 1, maxWidth);
    resize(width, heightForWidth(width));
    move(control->mapToGlobal(QPoint(0, control->height())));

    for (QWidget *w : described()) {
        m_descriptions << w->accessibleDescription();
        w->setAccessibleDescription(text);
    }
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (!m_control || !(now == m_control || m_control->isAncestorOf(now)))
            dismiss();
    });
    connect(control, &QObject::destroyed, this, &Balloon::dismiss);
    QLabel::show();
}

QList<QWidget *> Balloon::described() const
{
    QList<QWidget *> widgets;
    if (!m_control)
        return widgets;
    widgets << m_control;
    // Typing goes to the edit field, and a screen reader follows the typing.
    if (auto *combo = qobject_cast<QComboBox *>(m_control.data()); combo && combo->lineEdit())
        widgets << combo->lineEdit();
    return widgets;
}

bool Balloon::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: // comes ahead of a key that presses a shortcut
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::TouchBegin:
    case QEvent::Wheel:
        dismiss();
        break;
    case QEvent::Hide:
        if (watched == m_control)
            dismiss();
        break;
    default:
        break;
    }
    return false;
}

void Balloon::dismiss()
{
    if (isHidden())
        return;
    qApp->removeEventFilter(this);
    const QList<QWidget *> widgets = described();
    for (qsizetype i = 0; i < widgets.size() && i < m_descriptions.size(); ++i)
        widgets[i]->setAccessibleDescription(m_descriptions[i]);
    hide();
    deleteLater();
}

} // namespace rt
