#pragma once

#include <QFont>
#include <QString>

namespace rt {

// A font by its design name and point size; sizes are turned into pixels at
// 96 dpi so that text fits the twip layout on every screen. Families that
// this system lacks are replaced by metric-compatible ones (installFonts());
// where those are missing too, the system's fallback is narrowed to their
// width, so that every text still fits the place it was laid out for.
[[nodiscard]] QFont font(const QString &family, double points, bool bold = false, bool italic = false,
                         bool underline = false);

// Registers the replacements for the design fonts and sets the default font.
void installFonts();

// Lays out and draws `text` off the screen in `font`, so that the font is
// found, opened and its glyphs rendered before a window first shows them:
// for a moment when the program waits anyway.
void prepareText(const QFont &font, const QString &text);

} // namespace rt
