// Copying and printing the month the calendar window shows: Ctrl+C, Ctrl+P
// and the grid's context menu. Printing goes to a PDF file through a double
// of the print dialogs and is read back with pdftotext, and with pdftoppm for
// where it lies on the paper.
#include "calendar/form1.h"
#include "calendarcells.h"
#include "doubles.h"
#include "engine/monthtext.h"
#include "webdouble.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDate>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextTable>

#include <algorithm>
#include <vector>

namespace {

struct Fixture {
    testing::ProgramDoubles doubles;
    testing::FakePrintDialogs &dialogs = doubles.printing;
    QTemporaryDir folder;

    Fixture() { dialogs.file = folder.filePath(QStringLiteral("month.pdf")); }
};

// The window in the active frame, drawn on `year`-`month`; then the selectors
// changed to another month without drawing it.
Form1 &shownOn(int year, int month)
{
    Form1 &f = testing::shownCalendar();
    f.showMonth(year, month);
    testing::choose(f, 2001, 1);
    return f;
}

QWidget *control(Form1 &f, const QString &name)
{
    if (name == QStringLiteral("go"))
        return f.go;
    if (name.startsWith(QStringLiteral("text1")))
        return f.text1[static_cast<std::size_t>(name.mid(6).chopped(1).toInt())];
    return f.client()->findChild<rt::ComboBox *>(name);
}

void deselect(QWidget *w)
{
    if (auto *combo = qobject_cast<QComboBox *>(w))
        combo->lineEdit()->deselect();
    else if (auto *edit = qobject_cast<QLineEdit *>(w))
        edit->deselect();
}

QString pdfText(const QString &file)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral(PDFTOTEXT), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(60000) || pdftotext.exitCode() != 0)
        return {};
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// The ISO week of each week of the month, Monday first, as Qt counts them
// (proleptic Gregorian: not for the years the 3200 rule changes).
QList<int> isoWeeks(int year, int month)
{
    QList<int> weeks;
    const QDate first(year, month, 1);
    for (QDate monday = first.addDays(1 - first.dayOfWeek()); monday <= first.addMonths(1).addDays(-1);
         monday = monday.addDays(7))
        weeks << std::max(monday, first).weekNumber();
    return weeks;
}

// The printed page: one page, the title, the weekdays Monday to Sunday, and
// every day of the month in order, once; with `weekNumbers`, "WK" before
// Monday and each week's number before its days.
void verifyPrinted(const QString &file, int year, int month, bool weekNumbers = false)
{
    const QString text = pdfText(file);
    QVERIFY2(!text.isEmpty(), "pdftotext read nothing");
    QCOMPARE(text.count(QLatin1Char('\f')), 1);
    const QString title = QString::fromStdString(engine::monthTitle(year, month));
    const qsizetype titleAt = text.indexOf(title);
    QVERIFY2(titleAt >= 0, qPrintable(text));
    const QRegularExpression weekdays(
        QStringLiteral("Monday\\s+Tuesday\\s+Wednesday\\s+Thursday\\s+Friday\\s+Saturday\\s+Sunday"));
    const QRegularExpressionMatch header = weekdays.match(text, titleAt + title.size());
    QVERIFY2(header.hasMatch(), qPrintable(text));
    QCOMPARE(text.mid(titleAt + title.size(), header.capturedStart() - titleAt - title.size()).simplified(),
             weekNumbers ? QStringLiteral("WK") : QString());
    QStringList words;
    for (const QString &word : text.mid(header.capturedEnd()).split(QRegularExpression(QStringLiteral("\\s+")))) {
        if (!word.isEmpty())
            words << word;
    }
    const engine::MonthWeeks m = engine::monthWeeks(year, month);
    const QList<int> weeks = weekNumbers ? isoWeeks(year, month) : QList<int>();
    if (weekNumbers)
        QCOMPARE(weeks.size(), m.weeks());
    QStringList expected;
    for (int week = 0; week < m.weeks(); ++week) {
        if (weekNumbers)
            expected << QString::number(weeks[week]);
        for (int column = 0; column < 7; ++column) {
            if (const int day = m.dayAt(week, column))
                expected << QString::number(day);
        }
    }
    QCOMPARE(words, expected);
}

// The clipboard's HTML as a word processor takes it: its table, cell by cell.
class PastedTable {
public:
    explicit PastedTable(const QString &html)
    {
        m_document.setHtml(html);
        for (QTextFrame *frame : m_document.rootFrame()->childFrames()) {
            if ((m_table = qobject_cast<QTextTable *>(frame)))
                break;
        }
    }
    [[nodiscard]] QTextTable *table() const { return m_table; }
    [[nodiscard]] QString text(int row, int column) const
    {
        const QTextTableCell cell = m_table->cellAt(row, column);
        QTextCursor cursor = cell.firstCursorPosition();
        cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
        return cursor.selectedText();
    }

private:
    QTextDocument m_document;
    QTextTable *m_table = nullptr;
};

// The printed page as pdftoppm draws it, in grey and without smoothing: a
// pixel is white exactly where nothing is drawn.
constexpr int pageDpi = 150;

double millimetres(double pixels)
{
    return pixels * 25.4 / pageDpi;
}

QImage pageImage(const QString &file)
{
    const QString stem = file.chopped(4);
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral(PDFTOPPM), {QStringLiteral("-r"), QString::number(pageDpi), QStringLiteral("-gray"),
                                              QStringLiteral("-aa"), QStringLiteral("no"), QStringLiteral("-aaVector"),
                                              QStringLiteral("no"), QStringLiteral("-singlefile"), file, stem});
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0)
        return {};
    return QImage(stem + QStringLiteral(".pgm")).convertToFormat(QImage::Format_Grayscale8);
}

struct Drawn {
    QRect ink;  // every pixel that is not white
    QRect grid; // the outermost rows and columns crossed by a black line a third of the page long
};

Drawn drawnOn(const QImage &page)
{
    Drawn drawn;
    const int width = page.width();
    const int height = page.height();
    std::vector<int> runDown(static_cast<std::size_t>(width), 0);
    std::vector<int> longestDown(static_cast<std::size_t>(width), 0);
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < height; ++y) {
        const uchar *line = page.constScanLine(y);
        int runAcross = 0;
        int longestAcross = 0;
        for (int x = 0; x < width; ++x) {
            const auto at = static_cast<std::size_t>(x);
            if (line[x] < 255)
                drawn.ink |= QRect(x, y, 1, 1);
            const bool black = line[x] < 128;
            runAcross = black ? runAcross + 1 : 0;
            longestAcross = std::max(longestAcross, runAcross);
            runDown[at] = black ? runDown[at] + 1 : 0;
            longestDown[at] = std::max(longestDown[at], runDown[at]);
        }
        if (longestAcross >= width / 3) {
            top = top < 0 ? y : top;
            bottom = y;
        }
    }
    const auto vertical = [&](int longest) { return longest >= height / 3; };
    const auto left = std::find_if(longestDown.begin(), longestDown.end(), vertical);
    const auto right = std::find_if(longestDown.rbegin(), longestDown.rend(), vertical);
    if (top >= 0 && left != longestDown.end())
        drawn.grid = QRect(QPoint(static_cast<int>(left - longestDown.begin()), top),
                           QPoint(static_cast<int>(longestDown.rend() - right) - 1, bottom));
    return drawn;
}

QMenu *openContextMenu(QWidget *target)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), target->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(target, &event);
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}

QStringList actionTexts(const QMenu &menu)
{
    QStringList texts;
    for (const QAction *action : menu.actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

QAction *actionNamed(const QMenu &menu, const QString &text)
{
    for (QAction *action : menu.actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

} // namespace

class TestMonthActions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { rt::installFonts(); }

    // Wherever the focus is, with nothing selected: the month drawn last, not
    // the one the selectors were changed to since.
    void copyPutsTheShownMonthOnTheClipboard_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("locked cell") << QStringLiteral("text1(3)");
        QTest::newRow("cell that takes notes") << QStringLiteral("text1(25)");
        QTest::newRow("month selector") << QStringLiteral("monthc");
        QTest::newRow("digit selector") << QStringLiteral("yearc");
        QTest::newRow("button") << QStringLiteral("go");
    }
    void copyPutsTheShownMonthOnTheClipboard()
    {
        QFETCH(QString, focus);
        Fixture fx;
        Form1 &f = shownOn(1900, 2);
        QWidget *w = control(f, focus);
        QVERIFY(w);
        w->setFocus();
        deselect(w);
        QApplication::clipboard()->setText(QStringLiteral("before"));
        QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier);

        const QMimeData *data = QApplication::clipboard()->mimeData();
        QCOMPARE(data->text(), QString::fromStdString(engine::monthText(1900, 2)));

        // As a word processor takes the HTML: one table, title across, weekdays, five weeks.
        const PastedTable pasted(data->html());
        QTextTable *table = pasted.table();
        QVERIFY(table);
        QCOMPARE(table->columns(), 7);
        QCOMPARE(table->rows(), 2 + 5);
        QCOMPARE(table->cellAt(0, 0).columnSpan(), 7);
        auto cellText = [&](int row, int column) { return pasted.text(row, column); };
        QCOMPARE(cellText(0, 0), QStringLiteral("February 1900"));
        QCOMPARE(cellText(1, 0), QStringLiteral("Monday"));
        QCOMPARE(cellText(1, 6), QStringLiteral("Sunday"));
        QCOMPARE(cellText(2, 2), QString());           // Wednesday before the 1st
        QCOMPARE(cellText(2, 3), QStringLiteral("1")); // Thursday
        QCOMPARE(cellText(6, 2), QStringLiteral("28"));
        QCOMPARE(cellText(6, 3), QString());
    }

    void selectedTextCopiesAsUsual_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("copied");
        QTest::newRow("locked cell") << QStringLiteral("text1(3)") << QStringLiteral("1");
        QTest::newRow("cell that takes notes") << QStringLiteral("text1(25)") << QStringLiteral("23");
        QTest::newRow("selector") << QStringLiteral("monthc") << QStringLiteral("January");
    }
    void selectedTextCopiesAsUsual()
    {
        QFETCH(QString, focus);
        QFETCH(QString, copied);
        Fixture fx;
        Form1 &f = shownOn(1900, 2);
        QWidget *w = control(f, focus);
        w->setFocus();
        if (auto *combo = qobject_cast<QComboBox *>(w))
            combo->lineEdit()->selectAll();
        else
            qobject_cast<QLineEdit *>(w)->selectAll();
        QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), copied);
        QVERIFY(!QApplication::clipboard()->mimeData()->hasHtml());
    }

    // Four, five and six weeks; April 2024 stands in cell 7 on the screen.
    void printsTheShownMonthOnOnePage_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::newRow("2021-02") << 2021 << 2;
        QTest::newRow("1900-02") << 1900 << 2;
        QTest::newRow("2024-04") << 2024 << 4;
        QTest::newRow("2026-08") << 2026 << 8;
        QTest::newRow("0-01") << 0 << 1;
    }
    void printsTheShownMonthOnOnePage()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        Fixture fx;
        Form1 &f = shownOn(year, month);
        f.text1[10]->setFocus();
        QTest::keyClick(f.text1[10], Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(fx.dialogs.setUps, 1);
        verifyPrinted(fx.dialogs.file, year, month);
        QVERIFY(fx.doubles.messages.shown.empty());
    }

    // While the window shows the week numbers, the copied text has the
    // terminal's "Wk" column, the table a first column headed "WK" and the
    // printed page one left of Monday; each week's number before its days,
    // across the turn of the year too.
    void copyAndPrintTakeTheWeekNumbersAlong_data()
    {
        QTest::addColumn<bool>("weekNumbers");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::newRow("hidden, 1900-02") << false << 1900 << 2;
        QTest::newRow("hidden, 2024-12") << false << 2024 << 12;
        QTest::newRow("shown, 1900-02") << true << 1900 << 2;
        QTest::newRow("shown, 2021-01: week 53 of 2020 first") << true << 2021 << 1;
        QTest::newRow("shown, 2024-12: six weeks, week 1 of 2025 last") << true << 2024 << 12;
        QTest::newRow("shown, 2024-04: a row left blank on the screen") << true << 2024 << 4;
    }
    void copyAndPrintTakeTheWeekNumbersAlong()
    {
        QFETCH(bool, weekNumbers);
        QFETCH(int, year);
        QFETCH(int, month);
        Fixture fx;
        Form1 &f = shownOn(year, month);
        f.showWeekNumbers(weekNumbers);
        f.text1[10]->setFocus();
        QTest::keyClick(f.text1[10], Qt::Key_C, Qt::ControlModifier);

        const QMimeData *data = QApplication::clipboard()->mimeData();
        engine::TextOptions options;
        options.weekNumbers = weekNumbers;
        QCOMPARE(data->text(), QString::fromStdString(engine::monthText(year, month, options)));

        const PastedTable pasted(data->html());
        QTextTable *table = pasted.table();
        QVERIFY(table);
        const int columns = weekNumbers ? 8 : 7;
        const QList<int> weeks = isoWeeks(year, month);
        QCOMPARE(table->columns(), columns);
        QCOMPARE(table->rows(), 2 + weeks.size());
        QCOMPARE(table->cellAt(0, 0).columnSpan(), columns);
        QCOMPARE(pasted.text(1, 0), weekNumbers ? QStringLiteral("WK") : QStringLiteral("Monday"));
        QCOMPARE(pasted.text(1, columns - 7), QStringLiteral("Monday"));
        QCOMPARE(pasted.text(1, columns - 1), QStringLiteral("Sunday"));
        const engine::MonthWeeks m = engine::monthWeeks(year, month);
        for (int week = 0; week < m.weeks(); ++week) {
            if (weekNumbers)
                QCOMPARE(pasted.text(2 + week, 0), QString::number(weeks[week]));
            for (int column = 0; column < 7; ++column) {
                const int day = m.dayAt(week, column);
                QCOMPARE(pasted.text(2 + week, columns - 7 + column), day ? QString::number(day) : QString());
            }
        }

        QTest::keyClick(f.text1[10], Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(fx.dialogs.setUps, 1);
        verifyPrinted(fx.dialogs.file, year, month, weekNumbers);
        QVERIFY(fx.doubles.messages.shown.empty());
    }

    // On the cells and the weekday headers, in place of a text box's own menu;
    // going to a date (dategoto.h) first.
    void contextMenuOffersCopyAndPrint_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("entries");
        const QStringList month{"&Go to date...", "-", "&Copy month", "&Print month...", "Print pre&view..."};
        const QStringList help{"-", "&Week numbers", "-", "&Help"};
        QTest::newRow("locked cell") << QStringLiteral("cell 3") << month + help;
        QTest::newRow("weekday header") << QStringLiteral("header") << month + help;
        QTest::newRow("cell that takes notes")
            << QStringLiteral("cell 25") << month + QStringList{"-", "Cu&t", "C&opy", "P&aste"} + help;
    }
    void contextMenuOffersCopyAndPrint()
    {
        QFETCH(QString, target);
        QFETCH(QStringList, entries);
        Fixture fx;
        Form1 &f = shownOn(1900, 2);
        QWidget *w = target == QStringLiteral("header") ? static_cast<QWidget *>(f.Label1[3])
                                                        : f.text1[static_cast<std::size_t>(target.mid(5).toInt())];

        QMenu *menu = openContextMenu(w);
        QVERIFY(menu);
        QCOMPARE(actionTexts(*menu), entries);
        actionNamed(*menu, QStringLiteral("Print pre&view..."))->trigger();
        menu->close();
        QCOMPARE(fx.dialogs.previews, 1);
        verifyPrinted(fx.dialogs.file, 1900, 2);

        menu = openContextMenu(w);
        QVERIFY(menu);
        actionNamed(*menu, QStringLiteral("&Copy month"))->trigger();
        menu->close();
        QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(engine::monthText(1900, 2)));
    }

    // Whatever the paper and its orientation: margins of 12 mm at least, or
    // the wider ones of the page's settings or the printer's unprintable
    // border, and the grid in the same place for four (February 2021), five
    // (July 2024) and six weeks (March 2026), room for six weeks always; with
    // the week numbers too, the grid then a column wider.
    void printsEveryMonthInOnePlaceWithinTheMargins_data()
    {
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::addColumn<double>("chosenMargin"); // millimetres; 0 leaves the printer's own
        QTest::addColumn<double>("leastMargin");  // millimetres the printer cannot print on; 0 leaves its own
        QTest::addColumn<bool>("fullPage");
        QTest::addColumn<bool>("weekNumbers");
        const auto A4 = QPageSize::A4;
        const auto Letter = QPageSize::Letter;
        const auto landscape = QPageLayout::Landscape;
        const auto portrait = QPageLayout::Portrait;
        QTest::newRow("A4 landscape") << A4 << landscape << 0.0 << 0.0 << false << false;
        QTest::newRow("A4 portrait") << A4 << portrait << 0.0 << 0.0 << false << false;
        QTest::newRow("Letter landscape") << Letter << landscape << 0.0 << 0.0 << false << false;
        QTest::newRow("Letter portrait") << Letter << portrait << 0.0 << 0.0 << false << false;
        QTest::newRow("A4 landscape, margins 20 mm") << A4 << landscape << 20.0 << 0.0 << false << false;
        QTest::newRow("Letter portrait, margins 5 mm") << Letter << portrait << 5.0 << 0.0 << false << false;
        QTest::newRow("A4 landscape, full page") << A4 << landscape << 0.0 << 0.0 << true << false;
        QTest::newRow("A4 portrait, full page, printer's least 15 mm")
            << A4 << portrait << 0.0 << 15.0 << true << false;
        QTest::newRow("A4 landscape, week numbers") << A4 << landscape << 0.0 << 0.0 << false << true;
        QTest::newRow("A4 portrait, week numbers") << A4 << portrait << 0.0 << 0.0 << false << true;
        QTest::newRow("Letter portrait, margins 5 mm, week numbers")
            << Letter << portrait << 5.0 << 0.0 << false << true;
        QTest::newRow("A4 portrait, full page, printer's least 15 mm, week numbers")
            << A4 << portrait << 0.0 << 15.0 << true << true;
    }
    void printsEveryMonthInOnePlaceWithinTheMargins()
    {
        QFETCH(QPageSize::PageSizeId, paper);
        QFETCH(QPageLayout::Orientation, orientation);
        QFETCH(double, chosenMargin);
        QFETCH(double, leastMargin);
        QFETCH(bool, fullPage);
        QFETCH(bool, weekNumbers);
        Fixture fx;
        fx.dialogs.paper = QPageSize(paper);
        fx.dialogs.orientation = orientation;
        if (chosenMargin > 0)
            fx.dialogs.margins = QMarginsF(chosenMargin, chosenMargin, chosenMargin, chosenMargin);
        if (leastMargin > 0)
            fx.dialogs.leastMargins = QMarginsF(leastMargin, leastMargin, leastMargin, leastMargin);
        fx.dialogs.fullPage = fullPage;
        const double least = std::max({12.0, fullPage ? 0.0 : chosenMargin, leastMargin});
        QSizeF expected = QPageSize(paper).size(QPageSize::Millimeter);
        if (orientation == QPageLayout::Landscape)
            expected.transpose();

        QRect grid;
        for (const auto &[year, month] : {std::pair{2021, 2}, std::pair{2024, 7}, std::pair{2026, 3}}) {
            Form1 &f = shownOn(year, month);
            f.showWeekNumbers(weekNumbers);
            fx.dialogs.file = fx.folder.filePath(QStringLiteral("%1-%2.pdf").arg(year).arg(month));
            QTest::keyClick(f.go, Qt::Key_P, Qt::ControlModifier);
            QVERIFY(fx.doubles.messages.shown.empty());
            const QImage page = pageImage(fx.dialogs.file);
            QVERIFY(!page.isNull());
            QVERIFY(std::abs(millimetres(page.width()) - expected.width()) < 1);
            QVERIFY(std::abs(millimetres(page.height()) - expected.height()) < 1);

            // A pixel on the margin's edge may be drawn; none inside it.
            const Drawn drawn = drawnOn(page);
            const double margins[] = {millimetres(drawn.ink.left() + 1), millimetres(drawn.ink.top() + 1),
                                      millimetres(page.width() - drawn.ink.right()),
                                      millimetres(page.height() - drawn.ink.bottom())};
            const QString where = QStringLiteral("%1-%2: margins %3, %4, %5, %6 mm (left, top, right, bottom)")
                                      .arg(year)
                                      .arg(month)
                                      .arg(margins[0], 0, 'f', 1)
                                      .arg(margins[1], 0, 'f', 1)
                                      .arg(margins[2], 0, 'f', 1)
                                      .arg(margins[3], 0, 'f', 1);
            for (const double margin : margins)
                QVERIFY2(margin >= least, qPrintable(where));

            QVERIFY2(drawn.grid.isValid() && drawn.ink.contains(drawn.grid), qPrintable(where));
            if (grid.isNull())
                grid = drawn.grid;
            const QString moved = QStringLiteral("grid %1,%2 %3x%4 px, the first month's %5,%6 %7x%8")
                                      .arg(drawn.grid.x())
                                      .arg(drawn.grid.y())
                                      .arg(drawn.grid.width())
                                      .arg(drawn.grid.height())
                                      .arg(grid.x())
                                      .arg(grid.y())
                                      .arg(grid.width())
                                      .arg(grid.height());
            QVERIFY2(std::abs(drawn.grid.left() - grid.left()) <= 1 && std::abs(drawn.grid.top() - grid.top()) <= 1
                         && std::abs(drawn.grid.right() - grid.right()) <= 1
                         && std::abs(drawn.grid.bottom() - grid.bottom()) <= 1,
                     qPrintable(where + QStringLiteral("; ") + moved));
        }
    }

    void printFailureIsAMessage()
    {
        Fixture fx;
        Form1 &f = shownOn(1900, 2);
        fx.dialogs.file = fx.folder.filePath(QStringLiteral("no such folder/month.pdf"));
        QTest::keyClick(f.go, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(fx.doubles.messages.shown.size(), std::size_t(1));
        QVERIFY2(fx.doubles.messages.shown[0].text.contains(QStringLiteral("February 1900")),
                 qPrintable(fx.doubles.messages.shown[0].text));
        QVERIFY(f.Visible());
        QVERIFY(fx.doubles.endings.empty());
    }

    void cancelledPrintPrintsNothing()
    {
        Fixture fx;
        Form1 &f = shownOn(1900, 2);
        fx.dialogs.cancel = true;
        QTest::keyClick(f.go, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(fx.dialogs.setUps, 1);
        QVERIFY(!QFile::exists(fx.dialogs.file));
        QVERIFY(fx.doubles.messages.shown.empty());
    }
};

QTEST_MAIN(TestMonthActions)
#include "tst_monthactions.moc"
