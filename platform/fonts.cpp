#include "fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace rt {
namespace {

// How wide the metric-compatible stand-ins set this line at 1000 pixels.
constexpr QLatin1StringView widthSample("The quick brown fox jumps over the lazy dog 0123456789");
struct DesignWidth {
    QLatin1StringView family;
    double regular, italic, bold, boldItalic;
};
constexpr std::array<DesignWidth, 3> designWidths{{
    {QLatin1StringView("Liberation Sans"), 25626, 25626, 27230, 27230},
    {QLatin1StringView("Liberation Serif"), 23523, 23155, 24548, 23750},
    {QLatin1StringView("Z003"), 20320, 20320, 20320, 20320},
}};

// The stretch that makes the fallback for a missing stand-in as wide as the
// stand-in: DejaVu Sans, a common fallback, sets a line 17% wider than
// Liberation Sans, and fixed labels would cut their text off. 100 when the
// stand-in is installed or the fallback is no wider.
int designStretch(const QFont &f, const QString &standIn) // as substitutes() gives it: in lower case
{
    static QHash<QString, int> known;
    const QString key = standIn + QLatin1Char(f.bold() ? 'b' : '-') + QLatin1Char(f.italic() ? 'i' : '-');
    if (const auto it = known.constFind(key); it != known.cend())
        return *it;
    int stretch = 100;
    const auto design = std::find_if(designWidths.begin(), designWidths.end(), [&](const DesignWidth &d) {
        return standIn.compare(d.family, Qt::CaseInsensitive) == 0;
    });
    // Installed, the stand-in is used and no font needs measuring.
    if (design != designWidths.end() && !QFontDatabase::families().contains(standIn, Qt::CaseInsensitive)) {
        QFont probe = f;
        probe.setPixelSize(1000);
        const double wanted = f.bold() ? (f.italic() ? design->boldItalic : design->bold)
                                       : (f.italic() ? design->italic : design->regular);
        const double width = QFontMetricsF(probe).horizontalAdvance(widthSample);
        // 3% to spare: at the small sizes of the windows each advance is
        // rounded to whole pixels, which a line of a few words adds up.
        if (width > wanted)
            stretch = std::max(50, static_cast<int>(std::floor(97.0 * wanted / width)));
    }
    known.insert(key, stretch);
    return stretch;
}

} // namespace

QFont font(const QString &family, double points, bool bold, bool italic, bool underline)
{
    // Ask for the installed stand-in by its own name: a family the font
    // database does not hold sends each request through the system's whole
    // fallback search before the substitute is tried.
    const QStringList standIns = QFont::substitutes(family);
    QFont f;
    f.setFamilies(standIns.isEmpty() ? QStringList{family} : standIns);
    f.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    // The program's texts are short labels, names and digits: laid out from
    // the font's character map and advances, they need no OpenType shaping,
    // which would load its tables and shaping code for each face. Scripts
    // that need shaping are still shaped.
    f.setStyleStrategy(QFont::PreferNoShaping);
    if (!standIns.isEmpty()) {
        if (const int stretch = designStretch(f, standIns.first()); stretch < 100)
            f.setStretch(stretch);
    }
    return f;
}

void installFonts()
{
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitutions(QStringLiteral("Algerian"),
                               {QStringLiteral("Z003"), QStringLiteral("Liberation Serif")});
    QApplication::setFont(font(QStringLiteral("MS Sans Serif"), 8.25));
}

void prepareText(const QFont &font, const QString &text)
{
    // Drawn in the format windows are painted in; glyphs outside the
    // picture would be skipped, not rendered.
    const QFontMetrics metrics(font);
    QImage canvas(metrics.horizontalAdvance(text) + 2, metrics.height() + 2, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setFont(font);
    painter.drawText(1, 1 + metrics.ascent(), text);
}

} // namespace rt
