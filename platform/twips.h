#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <cstdint>

namespace rt {

// Layouts are written in twips, as designed; on screen one logical pixel is
// 15 twips (96 dpi) and Qt's high-DPI scaling does the rest.
inline constexpr int twipsPerPixel = 15;

[[nodiscard]] constexpr int px(double twips)
{
    return static_cast<int>(twips >= 0 ? twips / twipsPerPixel + 0.5 : twips / twipsPerPixel - 0.5);
}
[[nodiscard]] constexpr int twips(int pixels)
{
    return pixels * twipsPerPixel;
}
[[nodiscard]] constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}

// A stored colour: &H00BBGGRR& for a fixed colour, &H800000nn& for system colour nn.
[[nodiscard]] QColor color(std::uint32_t stored);

// The stored colours the windows use, by name.
namespace colours {
inline constexpr std::uint32_t black = 0x00000000;
inline constexpr std::uint32_t blue = 0x00FF0000;
inline constexpr std::uint32_t darkBlue = 0x00C00000;
inline constexpr std::uint32_t red = 0x000000FF;
inline constexpr std::uint32_t grey = 0x00808080;
inline constexpr std::uint32_t silver = 0x00C0C0C0;
inline constexpr std::uint32_t white = 0x00FFFFFF;
inline constexpr std::uint32_t highlightedText = 0x8000000E; // system colour 14
} // namespace colours

// A font by its design name and point size; sizes are turned into pixels at
// 96 dpi so that text fits the twip layout on every screen. Families that
// this system lacks are replaced by metric-compatible ones (installFonts());
// where those are missing too, the system's fallback is narrowed to their
// width, so that every text still fits the place it was laid out for.
[[nodiscard]] QFont font(const QString &family, double points, bool bold = false, bool italic = false,
                         bool underline = false);

// A MousePointer value as a cursor: 11 hourglass, 13 arrow with hourglass,
// anything else the arrow.
[[nodiscard]] Qt::CursorShape mousePointer(int pointer);

// Registers the replacements for the design fonts and sets the default font.
void installFonts();

// Lays out and draws `text` off the screen in `font`, so that the font is
// found, opened and its glyphs rendered before a window first shows them:
// for a moment when the program waits anyway.
void prepareText(const QFont &font, const QString &text);

} // namespace rt
