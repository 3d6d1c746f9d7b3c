#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

namespace rt {

// A picture from the program's resources, decoded once by Qt's image
// reader for the format its suffix names. Bitmaps with a colour table keep
// their own depth (an 8-bit photograph takes one byte a pixel, not four).
// A null image when the file is missing or damaged.
[[nodiscard]] QImage loadPicture(const QString &path);

// The same picture ready to draw on the screen.
[[nodiscard]] QPixmap loadPixmap(const QString &path);

// Starts decoding a picture on a worker thread, for the next loadPicture()
// of the same file to take instead of decoding it then: the work moves to
// a moment when the program waits anyway. Nothing when it is already being
// prepared. Whatever is still being decoded when the application object
// goes is waited for then.
void preparePicture(const QString &path);
// True while a picture prepared ahead waits to be taken.
[[nodiscard]] bool isPicturePrepared(const QString &path);
// Drops a prepared picture nobody is going to take (waiting for its
// decoding to end, if it has not).
void discardPreparedPicture(const QString &path);
// Waits until every picture being prepared is decoded (tests, benchmarks).
void finishPreparedPictures();

// A picture box's picture that is not on the screen yet: decoded when first
// asked for, or taken ready from preparePicture(), and kept.
class HeldPicture {
public:
    explicit HeldPicture(QString path);
    ~HeldPicture();
    HeldPicture(const HeldPicture &) = delete;
    HeldPicture &operator=(const HeldPicture &) = delete;

    [[nodiscard]] const QImage &Picture();
    [[nodiscard]] bool isDecoded() const { return !m_image.isNull(); }
    // Decoded on a worker thread now, for a later Picture().
    void prepare() const;

private:
    QString m_path;
    QImage m_image;
};

} // namespace rt
