#include "helpwindow.h"

#include "runtime.h"

#include <QAction>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace {

// The site as the program's resources hold it.
const QString site = QStringLiteral("qrc:/site/");

// What this window's renderer needs beside the site's own style sheet, which
// the site browser's engine reads alone. The renderer draws no box for an
// element it does not know (header, nav, main) and no padding around a
// paragraph: the banner's own lines carry its colour, centred, and the
// document's margin stands for the page's.
const QString rendererStyle = QStringLiteral("header h1, header p { background-color: #000080; text-align: center; "
                                             "margin: 0; }"
                                             "header p { margin-bottom: 6px; }"
                                             "nav { background-color: transparent; }");
constexpr int documentMargin = 12;
// Between the window and the edges of the frame it opens over.
constexpr int margin = 24;

} // namespace

// A dialog to the window system: it stays in front of its owner (the
// maximised frame) while the person works in the calendar.
HelpWindow::HelpWindow(QWidget *owner)
    : QWidget(owner, Qt::Dialog)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("help"));
    setWindowTitle(QStringLiteral("%1 Help").arg(rt::App().Title));

    m_pages = new QTextBrowser(this);
    m_pages->setObjectName(QStringLiteral("pages"));
    m_pages->setAccessibleName(QStringLiteral("Help page"));
    m_pages->document()->setDefaultStyleSheet(rendererStyle);
    m_pages->document()->setDocumentMargin(documentMargin);
    connect(m_pages, &QTextBrowser::sourceChanged, this, [this] { nameAfterPage(); });

    rt::ImageList pictures(QSize(24, 24), rt::color(rt::colours::silver));
    for (const char *picture : {"back", "forward", "home"})
        pictures.Add(QStringLiteral(":/toolbar/%1.bmp").arg(QLatin1String(picture)));
    auto *tools = new QToolBar(this);
    tools->setAccessibleName(QStringLiteral("Navigation"));
    tools->setIconSize(pictures.ImageSize());
    tools->setFocusPolicy(Qt::NoFocus);
    QAction *back = tools->addAction(pictures.ListImages(1), QStringLiteral("Back"), m_pages, &QTextBrowser::backward);
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    connect(m_pages, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QAction *forward =
        tools->addAction(pictures.ListImages(2), QStringLiteral("Forward"), m_pages, &QTextBrowser::forward);
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    connect(m_pages, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    tools->addAction(pictures.ListImages(3), QStringLiteral("Contents"), this,
                     [this] { showPage(QStringLiteral("index.html")); });

    // Esc, Ctrl+W and the platform's own key for closing a document window,
    // each once: a key bound twice would close nothing.
    QList<QKeySequence> closeKeys{QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)};
    for (const QKeySequence &key : QKeySequence::keyBindings(QKeySequence::Close)) {
        if (!closeKeys.contains(key))
            closeKeys << key;
    }
    for (const QKeySequence &key : closeKeys)
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(m_pages);

    // Wide enough for the tables of keys without wrapping every line, never
    // larger than the screen, and at the right of the frame: the calendar
    // stands at its left and stays in view.
    QSize size(640, 600);
    if (const QScreen *screen = owner->screen())
        size = size.boundedTo(screen->availableSize() * 9 / 10);
    resize(size);
    const QRect frame = owner->geometry();
    move(std::max(frame.left(), frame.right() + 1 - size.width() - margin), frame.top() + margin);
}

HelpWindow *HelpWindow::of(const QWidget *owner)
{
    // Not one closed a moment ago: it goes with the next turn of the event loop.
    for (HelpWindow *help : owner->window()->findChildren<HelpWindow *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!help->isHidden())
            return help;
    }
    return nullptr;
}

HelpWindow &HelpWindow::open(QWidget *owner, const QString &page)
{
    HelpWindow *help = of(owner);
    if (!help)
        help = new HelpWindow(owner->window());
    help->showPage(page);
    help->setWindowState(help->windowState() & ~Qt::WindowMinimized);
    help->show();
    help->raise();
    // Asked of its window: activateWindow() takes a window in front of its
    // active owner for active already, and does nothing.
    help->windowHandle()->requestActivate();
    help->m_pages->setFocus(Qt::OtherFocusReason);
    return *help;
}

void HelpWindow::showPage(const QString &page)
{
    m_pages->setSource(QUrl(site + page));
}

QString HelpWindow::page() const
{
    const QUrl source = m_pages->source();
    return source.hasFragment() ? source.fileName() + QLatin1Char('#') + source.fragment() : source.fileName();
}

void HelpWindow::nameAfterPage()
{
    // "TEMPORIA - Keyboard keys" becomes "TEMPORIA Help - Keyboard keys".
    const QString title = m_pages->documentTitle();
    const qsizetype dash = title.indexOf(QStringLiteral(" - "));
    const QString help = QStringLiteral("%1 Help").arg(rt::App().Title);
    setWindowTitle(dash < 0 ? help : help + title.mid(dash));
}
