// The help window over the pages compiled into the program: where their
// links lead, and where their lines may break.
#include "help/helpwindow.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>

namespace {

QStringList links(const QTextDocument &page)
{
    QStringList hrefs;
    for (QTextBlock block = page.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QString href = it.fragment().charFormat().anchorHref();
            if (!href.isEmpty() && !hrefs.contains(href))
                hrefs << href;
        }
    }
    return hrefs;
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    // Every link of every page leads to a page of the site.
    void linksLeadToPages()
    {
        QWidget owner;
        const QStringList pages{"index.html", "calendar.html", "leap.html", "keys.html"};
        for (const QString &page : pages) {
            HelpWindow &help = HelpWindow::open(&owner, page);
            const QStringList hrefs = links(*help.pages()->document());
            QVERIFY2(!hrefs.isEmpty(), qPrintable(page));
            for (const QString &href : hrefs) {
                HelpWindow::open(&owner, href);
                QVERIFY2(help.pages()->documentTitle().startsWith(QStringLiteral("TEMPORIA - ")),
                         qPrintable(page + QStringLiteral(" links to ") + href));
                QVERIFY2(pages.contains(help.page().section(QLatin1Char('#'), 0, 0)), qPrintable(href));
            }
        }
    }

    // An option on the keys page stays on one line at any width, in the
    // help's renderer; and the page asks every renderer for that (its block
    // is unbreakable: white-space: nowrap).
    void optionsNeverBreak()
    {
        QWidget owner;
        QTextDocument &page = *HelpWindow::open(&owner, QStringLiteral("keys.html")).pages()->document();
        const QRegularExpression option(QStringLiteral("(?<![\\w-])--?[a-z0-9][a-z0-9-]*"));
        int options = 0;
        for (const qreal width : {200.0, 320.0, 480.0, 800.0}) {
            page.setTextWidth(width);
            for (QTextBlock block = page.begin(); block.isValid(); block = block.next()) {
                const QTextLayout *layout = block.layout();
                for (const QRegularExpressionMatch &m : option.globalMatch(block.text())) {
                    ++options;
                    const QString where = QStringLiteral("%1 at %2").arg(m.captured()).arg(width);
                    QVERIFY2(block.blockFormat().nonBreakableLines(), qPrintable(where));
                    QVERIFY2(layout->lineForTextPosition(static_cast<int>(m.capturedStart())).lineNumber()
                                 == layout->lineForTextPosition(static_cast<int>(m.capturedEnd() - 1)).lineNumber(),
                             qPrintable(where));
                }
            }
        }
        QVERIFY(options > 0);
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
