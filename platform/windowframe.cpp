#include "windowframe.h"

#include "mdiform.h"
#include "style.h"

#include <QFrame>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace rt {

QWidget *WindowFrame::makeWindow(QWidget *&client) const
{
    if (!designed) {
        auto *w = new QWidget(nullptr, Qt::Window);
        client = w;
        return w;
    }
    auto *frame = new QFrame(nullptr, Qt::Window);
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!isSizable())
        layout->setSizeConstraint(QLayout::SetFixedSize);
    client = new QWidget(frame);
    layout->addWidget(client);
    return frame;
}

void WindowFrame::applyTo(QWidget *window, bool hasCaption) const
{
    auto *frame = qobject_cast<QFrame *>(window);
    if (!designed || !frame)
        return;
    // Tool windows stay out of the taskbar on every window system.
    Qt::WindowFlags flags = showInTaskbar && !isToolWindow() ? Qt::Window : Qt::Tool;
    const bool titleBar = controlBox || hasCaption;
    if (border == BorderStyle::None) {
        flags |= Qt::FramelessWindowHint;
    } else if (titleBar) {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (controlBox)
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (controlBox && border == BorderStyle::Sizable)
            flags |= Qt::WindowMinMaxButtonsHint;
    } else {
        // Without a title bar window managers draw no border either.
        flags |= Qt::FramelessWindowHint;
        if (border == BorderStyle::FixedSingle) {
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
void WindowFrame::applyTo(ChildWindow *child) const
{
    Qt::WindowFlags flags = Qt::SubWindow;
    if (border == BorderStyle::None) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (controlBox)
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (controlBox && isSizable())
            flags |= Qt::WindowMinMaxButtonsHint;
    }
    child->setWindowFlags(flags);
    if (!controlBox)
        child->setSystemMenu(nullptr);
    child->setFixedBorder(!isSizable());
    child->setProperty(toolWindowProperty, isToolWindow());
}

void centreOnScreen(QWidget *window)
{
    // The frame is known once the window manager has framed a shown window;
    // before that the window's own size is all there is.
    const QSize size = window->frameGeometry().size().expandedTo(window->size());
    const QRect free = window->screen()->availableGeometry();
    window->move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, free).topLeft());
}

} // namespace rt
