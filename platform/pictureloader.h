#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

class QWidget;

namespace rt {

// A picture from the program's resources, decoded once. Uncompressed
// bitmaps with a colour table (1, 4 or 8 bits per pixel) are read here and
// kept at their own depth (an 8-bit photograph takes one byte a pixel, not
// four); any other file goes through Qt's image readers, by the format its
// suffix names. A null image when the file is missing or damaged.
[[nodiscard]] QImage loadPicture(const QString &path);

// The same picture ready to draw on the screen.
[[nodiscard]] QPixmap loadPixmap(const QString &path);

// Makes the memory the window is painted into present in one call, before
// its first painting at a new size: left to the painting, each of its pages
// (a thousand for a maximised window) is a fault of its own, and on some
// virtual machines a fault costs as much as drawing the page. Nothing when
// it is present already.
void preparePaintMemory(QWidget *window);

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
