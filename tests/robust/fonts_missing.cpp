// On a system without the fonts the windows ask for (the Liberation and URW
// families), run with a font configuration that holds DejaVu only: every
// window still opens, and every text in it is drawn whole in a fallback font.
// Each window is photographed as it is drawn, and the ink of each text, inside
// its control, is compared with the same text drawn without bounds.
#include "about/frmabout.h"
#include "browser/frmbrowser.h"
#include "calendar/form1.h"
#include "calendarcells.h"
#include "doubles.h"
#include "fonts.h"
#include "shell/frmsplash.h"
#include "shell/mdiform1.h"
#include "style.h"
#include "webdouble.h"

#include <QAbstractButton>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QToolButton>

namespace {

// The pixels of `image` inside `area` that are nearer the ink than the
// background, as the box around them (empty when there are none).
QRect inkBox(const QImage &image, const QRect &area, const QColor &ink, const QColor &background)
{
    auto distance = [](QRgb a, const QColor &b) {
        const int r = qRed(a) - b.red(), g = qGreen(a) - b.green(), bl = qBlue(a) - b.blue();
        return r * r + g * g + bl * bl;
    };
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (distance(p, ink) < distance(p, background))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// The colour most pixels of the area have.
QColor dominant(const QImage &image, const QRect &area)
{
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y) | 0xFF000000u];
    }
    QRgb best = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            best = it.key();
        }
    }
    return QColor::fromRgb(best);
}

struct Text {
    QString text;
    QColor ink;
    QRect area;    // where it is drawn, in the control
    int flags;     // how QPainter lays it out
    int wrapWidth; // 0: one line
};

// What a control shows as text and where; false for controls without text.
bool textOf(QWidget *w, Text &t)
{
    if (auto *label = qobject_cast<QLabel *>(w)) {
        if (label->text().trimmed().isEmpty() || label->textFormat() == Qt::RichText)
            return false;
        t = {label->text(), label->palette().color(QPalette::WindowText), label->contentsRect(),
             static_cast<int>(label->alignment()) | Qt::TextHideMnemonic | (label->wordWrap() ? Qt::TextWordWrap : 0),
             label->wordWrap() ? label->contentsRect().width() : 0};
        return true;
    }
    if (auto *button = qobject_cast<QAbstractButton *>(w)) {
        auto *tool = qobject_cast<QToolButton *>(w);
        if (button->text().isEmpty() || (tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly))
            return false;
        t = {button->text(), button->palette().color(QPalette::ButtonText), button->rect().adjusted(2, 2, -2, -2),
             Qt::AlignCenter | Qt::TextHideMnemonic, 0};
        return true;
    }
    if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        if (edit->text().isEmpty())
            return false;
        t = {edit->text(), edit->palette().color(QPalette::Text), edit->contentsRect(),
             Qt::AlignLeft | Qt::AlignVCenter, 0};
        return true;
    }
    return false;
}

// The size of the ink of the text drawn in its font with nothing to stop it.
QSize unboundedInk(const Text &t, const QFont &font, const QColor &background)
{
    const QFontMetrics metrics(font);
    const QRect room(0, 0, t.wrapWidth > 0 ? t.wrapWidth : metrics.horizontalAdvance(t.text) + 40,
                     metrics.height() * 8);
    QImage canvas(room.size() + QSize(20, 20), QImage::Format_RGB32);
    canvas.fill(background);
    QPainter painter(&canvas);
    painter.setFont(font);
    painter.setPen(t.ink);
    painter.drawText(room.translated(10, 10), t.flags, t.text);
    painter.end();
    return inkBox(canvas, canvas.rect(), t.ink, background).size();
}

// Every text of the window, photographed: "name: what is wrong", one a line.
QStringList cutTexts(QWidget *window)
{
    const QImage shot = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QStringList wrong;
    int texts = 0;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        Text t;
        if (!w->isVisibleTo(window) || !textOf(w, t))
            continue;
        ++texts;
        const QRect area = QRect(w->mapTo(window, t.area.topLeft()), t.area.size()) & shot.rect();
        const QColor background = dominant(shot, area);
        const QSize shown = inkBox(shot, area, t.ink, background).size();
        const QSize whole = unboundedInk(t, w->font(), background);
        const QString name =
            QStringLiteral("%1 \"%2\" in %3").arg(w->metaObject()->className(), t.text, QFontInfo(w->font()).family());
        if (shown.isEmpty())
            wrong << name + QStringLiteral(": not drawn");
        else if (shown.width() < whole.width() - 2 || shown.height() < whole.height() - 2)
            wrong << name
                         + QStringLiteral(": %1x%2 of its %3x%4 pixels of ink shown")
                               .arg(shown.width())
                               .arg(shown.height())
                               .arg(whole.width())
                               .arg(whole.height());
    }
    if (texts == 0)
        wrong << QStringLiteral("no text found in the window");
    return wrong;
}

} // namespace

class TestFontsMissing : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        const QStringList families = QFontDatabase::families();
        if (!families.contains(QStringLiteral("DejaVu Sans")))
            QSKIP("DejaVu is not installed (fonts-dejavu-core): no fallback to try");
        for (const char *missing : {"Liberation Sans", "Liberation Serif", "Z003", "Nimbus Sans"})
            QVERIFY2(!families.contains(QLatin1String(missing)),
                     qPrintable(QStringLiteral("%1 is there: run with FONTCONFIG_FILE=fonts_dejavu_only.conf")
                                    .arg(QLatin1String(missing))));
        rt::installStyle();
        rt::installFonts();
    }

    // Each window as it first shows, every text of it whole.
    void everyTextWhole_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("splash") << QStringLiteral("splash");
        QTest::newRow("frame and calendar, December") << QStringLiteral("calendar");
        QTest::newRow("About") << QStringLiteral("about");
        QTest::newRow("site browser") << QStringLiteral("browser");
    }
    void everyTextWhole()
    {
        QFETCH(QString, window);
        testing::ProgramDoubles d;
        // The longest month name in the month box.
        d.date.date = QDate(2026, 12, 10);
        QWidget *top = nullptr;
        if (window == QLatin1String("splash")) {
            rt::form<frmSplash>().setVisible(true);
            top = rt::form<frmSplash>().window();
        } else if (window == QLatin1String("calendar")) {
            top = testing::shownCalendar().window()->window();
        } else if (window == QLatin1String("about")) {
            rt::form<frmAbout>().setVisible(true);
            top = rt::form<frmAbout>().window();
        } else {
            rt::form<frmBrowser>().setVisible(true);
            top = rt::form<frmBrowser>().window();
        }
        QVERIFY(QTest::qWaitForWindowExposed(top));
        const QStringList cut = cutTexts(top);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestFontsMissing)
#include "fonts_missing.moc"
