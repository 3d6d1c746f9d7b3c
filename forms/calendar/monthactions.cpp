#include "monthactions.h"

#include "calendar/calendargrid.h"
#include "calendar/calendarhelp.h"
#include "calendar/monthsheet.h"
#include "calendar/printdialogs.h"
#include "engine/monthtext.h"
#include "help/helpwindow.h"
#include "runtime.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QtMath>

namespace {

// A selector's or a cell's own selection copies as text always does.
bool hasSelectedText(QObject *control)
{
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->lineEdit() && combo->lineEdit()->hasSelectedText();
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        return edit->hasSelectedText();
    return false;
}

// Few printers print to the paper's edge: the month keeps at least this far
// from every edge.
constexpr double leastMarginMm = 12;

// Where the month goes on `printer`'s page, in the coordinates of a painter on
// it: the paper less the widest of 12 mm, the margins set for the page and the
// least the printer can print to, on each side.
QRect printArea(const QPrinter &printer)
{
    QPageLayout layout = printer.pageLayout();
    const int dpi = printer.resolution();
    const QRect paper = layout.fullRectPixels(dpi);
    const QRect printable = layout.paintRectPixels(dpi); // the whole paper in full-page mode
    layout.setUnits(QPageLayout::Point);
    const QMarginsF least = layout.minimumMargins();
    auto pixels = [dpi](double points) { return qCeil(points * dpi / 72); };
    const int edge = pixels(leastMarginMm * 72 / 25.4);
    const QRect area = paper.marginsRemoved({edge, edge, edge, edge}) & printable
                       & paper.marginsRemoved(
                           {pixels(least.left()), pixels(least.top()), pixels(least.right()), pixels(least.bottom())});
    // A painter starts at the corner of the printable part (of the paper in full-page mode).
    return area.translated(-printable.topLeft());
}

} // namespace

MonthActions::MonthActions(CalendarGrid &grid)
    : QObject(grid.clientArea())
    , m_grid(grid)
{
    for (QWidget *control : grid.focusableControls())
        control->installEventFilter(this);
    for (QWidget *target : grid.gridParts()) {
        target->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(target, &QWidget::customContextMenuRequested, this, [this, target](const QPoint &position) {
            rt::dispatch([&] { showMenu(target, target->mapToGlobal(position)); });
        });
    }
}

bool MonthActions::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->matches(QKeySequence::Copy) && !hasSelectedText(watched)) {
        rt::dispatch([this] { copyMonth(); });
        return true;
    }
    if (key->matches(QKeySequence::Print)) {
        rt::dispatch([this] { printMonth(); });
        return true;
    }
    return false;
}

void MonthActions::showMenu(QWidget *target, const QPoint &globalPosition)
{
    auto *menu = new QMenu(target);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The window's own commands first (going to a date), as its other helpers give them.
    const QList<QAction *> commands = m_grid.clientArea()->actions();
    if (!commands.isEmpty()) {
        menu->addActions(commands);
        menu->addSeparator();
    }
    menu->addAction(QStringLiteral("&Copy month"), QKeySequence::Copy, this,
                    [this] { rt::dispatch([this] { copyMonth(); }); });
    menu->addAction(QStringLiteral("&Print month..."), QKeySequence::Print, this,
                    [this] { rt::dispatch([this] { printMonth(); }); });
    menu->addAction(QStringLiteral("Print pre&view..."), this, [this] { rt::dispatch([this] { previewMonth(); }); });
    // The cells that take notes keep the editing a person expects of them.
    auto *cell = qobject_cast<QLineEdit *>(target);
    if (cell && !cell->isReadOnly()) {
        menu->addSeparator();
        menu->addAction(QStringLiteral("Cu&t"), cell, &QLineEdit::cut)->setEnabled(cell->hasSelectedText());
        menu->addAction(QStringLiteral("C&opy"), cell, &QLineEdit::copy)->setEnabled(cell->hasSelectedText());
        const QMimeData *clip = QApplication::clipboard()->mimeData();
        menu->addAction(QStringLiteral("P&aste"), cell, &QLineEdit::paste)->setEnabled(clip && clip->hasText());
    }
    menu->addSeparator();
    QAction *weeks = menu->addAction(QStringLiteral("&Week numbers"), this, [this](bool checked) {
        rt::dispatch([this, checked] { m_grid.showWeekNumbers(checked); });
    });
    weeks->setCheckable(true);
    weeks->setChecked(m_grid.weekNumbersShown());
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Help"), QKeySequence::HelpContents, this, [this] {
        rt::dispatch([this] { HelpWindow::open(m_grid.clientArea()->window(), menuHelpPage); });
    });
    menu->popup(globalPosition);
}

void MonthActions::copyMonth()
{
    if (m_grid.shownMonth() == 0) // nothing drawn yet
        return;
    const int year = m_grid.shownYear();
    const int month = m_grid.shownMonth();
    // The week numbers go along while the window shows them.
    engine::TextOptions options;
    options.weekNumbers = m_grid.weekNumbersShown();
    auto *data = new QMimeData;
    data->setText(QString::fromStdString(engine::monthText(year, month, options)));
    data->setHtml(monthHtml(year, month, options.weekNumbers));
    QApplication::clipboard()->setMimeData(data);
}

void MonthActions::printMonth()
{
    if (m_grid.shownMonth() == 0)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(engine::monthTitle(m_grid.shownYear(), m_grid.shownMonth())));
    // Seven columns are wider than six weeks are high.
    printer.setPageOrientation(QPageLayout::Landscape);
    if (printDialogs().setUp(printer, m_grid.clientArea()->window()))
        printOn(printer);
}

void MonthActions::previewMonth()
{
    if (m_grid.shownMonth() == 0)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(engine::monthTitle(m_grid.shownYear(), m_grid.shownMonth())));
    printer.setPageOrientation(QPageLayout::Landscape);
    printDialogs().preview(printer, m_grid.clientArea()->window(), [this](QPrinter &target) { printOn(target); });
}

void MonthActions::printOn(QPrinter &printer)
{
    const int year = m_grid.shownYear();
    const int month = m_grid.shownMonth();
    QPainter painter;
    bool printed = painter.begin(&printer);
    if (printed) {
        paintMonth(painter, printArea(printer), year, month, m_grid.weekNumbersShown());
        printed = painter.end() && printer.printerState() != QPrinter::Error;
    }
    if (!printed) {
        const QString where = printer.outputFileName().isEmpty()
                                  ? QStringLiteral("the printer %1").arg(printer.printerName())
                                  : QStringLiteral("the file %1").arg(printer.outputFileName());
        rt::MsgBox(QStringLiteral("%1 could not be printed on %2.")
                       .arg(QString::fromStdString(engine::monthTitle(year, month)), where));
    }
}
