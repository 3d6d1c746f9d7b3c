#include "twips.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>

namespace rt {

QColor color(std::uint32_t stored)
{
    if (stored & 0x80000000u) {
        // The system colours used by the windows, by their index.
        switch (stored & 0xFFu) {
        case 5: // window background
            return QApplication::palette().color(QPalette::Base);
        case 8: // window text
            return QApplication::palette().color(QPalette::Text);
        case 13: // highlight
            return QApplication::palette().color(QPalette::Highlight);
        case 14: // highlighted text
            return QApplication::palette().color(QPalette::HighlightedText);
        case 15: // button face
        default:
            return QApplication::palette().color(QPalette::Button);
        }
    }
    return QColor(static_cast<int>(stored & 0xFFu), static_cast<int>((stored >> 8) & 0xFFu),
                  static_cast<int>((stored >> 16) & 0xFFu));
}

QFont font(const QString &family, double points, bool bold, bool italic, bool underline)
{
    // Ask for the installed stand-in by its own name: a family the font
    // database does not hold sends each request through the system's whole
    // fallback search before the substitute is tried.
    const QStringList standIns = QFont::substitutes(family);
    QFont f;
    f.setFamilies(standIns.isEmpty() ? QStringList{family} : standIns);
    f.setPixelSize(static_cast<int>(points * 96.0 / 72.0 + 0.5));
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    // The program's texts are short labels, names and digits: laid out from
    // the font's character map and advances, they need no OpenType shaping,
    // which would load its tables and shaping code for each face. Scripts
    // that need shaping are still shaped.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

Qt::CursorShape mousePointer(int pointer)
{
    switch (pointer) {
    case 11:
        return Qt::WaitCursor;
    case 13:
        return Qt::BusyCursor;
    default:
        return Qt::ArrowCursor;
    }
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
