#include "controls.h"

#include "style.h"
#include "twips.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QShortcut>
#include <QStyleOptionComplex>

#include <algorithm>

namespace rt {
namespace {

// The selectors are narrow (a digit box is 41 pixels): a slimmer drop-down
// button leaves room for "September" and "December" in the text field.
class SelectorStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl sub,
                         const QWidget *widget) const override
    {
        QRect r = QProxyStyle::subControlRect(control, option, sub, widget);
        if (control == CC_ComboBox) {
            const int button = 14;
            if (sub == SC_ComboBoxArrow)
                r.setLeft(option->rect.right() - button + 1);
            else if (sub == SC_ComboBoxEditField)
                r.setRight(option->rect.right() - button - 1);
        }
        return r;
    }
};

QStyle *selectorStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new SelectorStyle(newPlatformStyle());
        style->setParent(qApp);
    }
    return style;
}

} // namespace

ComboBox::ComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setStyle(selectorStyle());
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(12);
    connect(this, &QComboBox::activated, this, [this] {
        if (!m_inEnter)
            emit Click();
    });
}

void ComboBox::keyPressEvent(QKeyEvent *event)
{
    if (!event->text().isEmpty()) {
        std::int16_t KeyAscii = static_cast<std::int16_t>(event->text().at(0).unicode());
        emit KeyPress(KeyAscii);
        if (KeyAscii == 0) {
            event->accept();
            return;
        }
    }
    // Enter with text equal to an item would count as picking it.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    m_inEnter = enter;
    QComboBox::keyPressEvent(event);
    m_inEnter = false;
}

std::int16_t ComboBox::ListIndex() const
{
    const QString text = currentText();
    if (currentIndex() >= 0 && itemText(currentIndex()).compare(text, Qt::CaseInsensitive) == 0)
        return static_cast<std::int16_t>(currentIndex());
    return static_cast<std::int16_t>(findText(text, Qt::MatchFixedString));
}

void ComboBox::setListIndex(int index)
{
    QLineEdit *edit = lineEdit();
    if (index != currentIndex()) {
        setCurrentIndex(index);
    } else if (edit->cursorPosition() == 0 && !edit->hasSelectedText()) {
        // A selector that shows its item already, as setText() leaves it, is
        // left alone: stepping a month changes one or two of the five.
        if (index < 0 ? edit->text().isEmpty() : edit->text() == itemText(index))
            return;
    }
    // Also when the index is unchanged but the user typed over its text.
    const QString text = index >= 0 ? itemText(index) : QString();
    if (edit->text() != text)
        setText(text);
    else
        edit->setCursorPosition(0); // as setText() leaves it
}

void ComboBox::setAccessibleName(const QString &name)
{
    QComboBox::setAccessibleName(name);
    lineEdit()->setAccessibleName(name);
    view()->setAccessibleName(name);
}

void ComboBox::setText(const QString &text)
{
    setEditText(text);
    // A narrow box shows the start of a long name, not its end.
    lineEdit()->setCursorPosition(0);
}

TextBox::TextBox(QWidget *parent)
    : QLineEdit(parent)
{
}

QVariant TextBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    // A locked box takes no typing of any kind: no input method switches on for it.
    if (query == Qt::ImEnabled)
        return isEnabled() && !isReadOnly();
    return QLineEdit::inputMethodQuery(query);
}

void TextBox::inputMethodEvent(QInputMethodEvent *event)
{
    if (isReadOnly()) {
        event->ignore();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void TextBox::setMarked(bool marked, const QString &description)
{
    if (marked == m_marked)
        return;
    m_marked = marked;
    QFont f = font();
    f.setBold(marked);
    setFont(f);
    setAccessibleDescription(marked ? description : QString());
    update();
}

void TextBox::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    if (!m_marked)
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Text), 1));
    painter.drawRect(rect().adjusted(3, 3, -4, -4));
}

void TextBox::setForeColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, color);
    setPalette(p);
}

Label::Label(const QString &caption, QWidget *parent)
    : QLabel(caption, parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Label::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (m_autoSize)
        adjustSize();
}

void Label::setCaption(const QString &caption)
{
    setText(caption);
    if (m_autoSize)
        adjustSize();
}

void Label::setForeColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

void Label::setBackColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
    setAutoFillBackground(true);
}

void Label::setFixedSingleBorder()
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
}

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
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            event->accept();
            return true;
        }
    }
    return QPushButton::event(event);
}

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

PictureBoxControl::PictureBoxControl(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureBoxControl::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (m_autoSize && !pixmap().isNull())
        resize(pixmap().deviceIndependentSize().toSize());
}

void PictureBoxControl::setPicture(const QPixmap &picture)
{
    setPixmap(picture);
    setAutoSize(m_autoSize);
}

Line::Line(int x1, int y1, int x2, int y2, QWidget *parent)
    : QWidget(parent)
    , m_line(px(x1), px(y1), px(x2), px(y2))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    place();
}

void Line::setBorderColor(const QColor &color)
{
    m_color = color;
    update();
}

void Line::setBorderWidth(int pixels)
{
    m_width = std::max(1, pixels);
    place();
}

void Line::place()
{
    const QRect bounds = QRect(m_line.p1(), m_line.p2()).normalized();
    setGeometry(bounds.adjusted(0, 0, m_width - 1, m_width - 1));
    update();
}

void Line::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // Centre the pen on the middle of its pixels: a width-w line covers the
    // w pixels from its coordinate on, never half of two.
    const QPointF shift = QPointF(m_width, m_width) / 2.0 - QPointF(pos());
    p.setPen(QPen(m_color, m_width, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(QLineF(m_line).translated(shift));
}

} // namespace rt
