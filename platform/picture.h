#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

namespace rt {

// A picture from the program's resources, decoded once. Uncompressed
// bitmaps with a colour table (1, 4 or 8 bits per pixel) are read here and
// kept at their own depth (an 8-bit photograph takes one byte a pixel, not
// four); any other file goes through Qt's image readers, by the format its
// suffix names. A null image when the file is missing or damaged.
[[nodiscard]] QImage loadPicture(const QString &path);

// The same picture ready to draw on the screen.
[[nodiscard]] QPixmap loadPixmap(const QString &path);

} // namespace rt
