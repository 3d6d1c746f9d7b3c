// Copying and printing the month the calendar window shows: Ctrl+C, Ctrl+P
// and the grid's context menu. Printing goes to a PDF file through a double
// of the print dialogs and is read back with pdftotext.
#include "calendar/form1.h"
#include "calendarcells.h"
#include "doubles.h"
#include "engine/monthtext.h"
#include "webdouble.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextTable>

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

// The printed page: one page, the title, the weekdays Monday to Sunday, and
// every day of the month in order, once.
void verifyPrinted(const QString &file, int year, int month)
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
    QStringList days;
    for (const QString &word : text.mid(header.capturedEnd()).split(QRegularExpression(QStringLiteral("\\s+")))) {
        if (!word.isEmpty())
            days << word;
    }
    QStringList expected;
    for (int day = 1; day <= engine::monthWeeks(year, month).days; ++day)
        expected << QString::number(day);
    QCOMPARE(days, expected);
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
        QTextDocument document;
        document.setHtml(data->html());
        QTextTable *table = nullptr;
        for (QTextFrame *frame : document.rootFrame()->childFrames()) {
            if ((table = qobject_cast<QTextTable *>(frame)))
                break;
        }
        QVERIFY(table);
        QCOMPARE(table->columns(), 7);
        QCOMPARE(table->rows(), 2 + 5);
        QCOMPARE(table->cellAt(0, 0).columnSpan(), 7);
        auto cellText = [&](int row, int column) {
            const QTextTableCell cell = table->cellAt(row, column);
            QTextCursor cursor = cell.firstCursorPosition();
            cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
            return cursor.selectedText();
        };
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

    // On the cells and the weekday headers, in place of a text box's own menu.
    void contextMenuOffersCopyAndPrint_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("entries");
        const QStringList month{"&Copy month", "&Print month...", "Print pre&view..."};
        const QStringList help{"-", "&Help"};
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
