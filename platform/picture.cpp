#include "picture.h"

#include "tuning.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QThreadPool>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <future>
#include <map>
#include <utility>

namespace rt {
namespace {

// Windows bitmap: 14-byte file header, 40-byte information header, colour
// table, rows bottom-up, each padded to four bytes.
QImage decodeBitmap(const QByteArray &file)
{
    const auto *data = reinterpret_cast<const uchar *>(file.constData());
    const qsizetype size = file.size();
    if (size < 54 || data[0] != 'B' || data[1] != 'M' || qFromLittleEndian<quint32>(data + 14) != 40)
        return {};
    const quint32 offset = qFromLittleEndian<quint32>(data + 10);
    const qint32 width = qFromLittleEndian<qint32>(data + 18);
    const qint32 height = qFromLittleEndian<qint32>(data + 22);
    const int bits = qFromLittleEndian<quint16>(data + 28);
    const quint32 compression = qFromLittleEndian<quint32>(data + 30);
    quint32 colours = qFromLittleEndian<quint32>(data + 46);
    if (colours == 0)
        colours = 1u << bits;
    // Four-bit pixels are widened to one byte each; QImage has no 4-bit format.
    const QImage::Format format = bits == 1                ? QImage::Format_Mono
                                  : bits == 4 || bits == 8 ? QImage::Format_Indexed8
                                                           : QImage::Format_Invalid;
    if (format == QImage::Format_Invalid || compression != 0 || width <= 0 || height == 0 || width > 32768
        || qAbs(height) > 32768 || colours > (1u << bits))
        return {};
    const qsizetype stride = ((qsizetype(width) * bits + 31) / 32) * 4;
    const qsizetype rows = qAbs(height);
    if (54 + qsizetype(colours) * 4 > size || qsizetype(offset) + stride * rows > size)
        return {};

    QImage image(width, int(rows), format);
    if (image.isNull())
        return {};
    // A photograph's pixels are written once, row by row.
    makePresent(image.bits(), image.sizeInBytes());
    // Every index a pixel can hold has a colour, listed or black.
    QList<QRgb> table(qsizetype(1) << bits, qRgb(0, 0, 0));
    for (quint32 i = 0; i < colours; ++i) {
        const uchar *c = data + 54 + 4 * i; // blue, green, red, unused
        table[i] = qRgb(c[2], c[1], c[0]);
    }
    image.setColorTable(table);
    for (qsizetype y = 0; y < rows; ++y) {
        const uchar *src = data + offset + stride * (height > 0 ? rows - 1 - y : y);
        uchar *dst = image.scanLine(int(y));
        if (bits == 4) {
            for (qint32 x = 0; x < width; ++x)
                dst[x] = (x % 2 == 0) ? src[x / 2] >> 4 : src[x / 2] & 0x0F;
        } else {
            std::memcpy(dst, src, size_t(image.bytesPerLine()));
        }
    }
    return image;
}

QImage decodePicture(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    file.close();
    if (path.startsWith(QLatin1Char(':')))
        releaseResourcePages(path);
    if (bytes.startsWith("BM")) {
        QImage image = decodeBitmap(bytes);
        if (!image.isNull())
            return image;
    }
    // Read by the format its name gives: left to guess, the image reader
    // loads every image plugin to ask it before trying its own readers.
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    return image.isNull() ? QImage::fromData(bytes) : image;
}

// Pictures being decoded ahead, by file; reached from the main thread only.
std::map<QString, std::future<QImage>> &prepared()
{
    static std::map<QString, std::future<QImage>> decodings;
    return decodings;
}

// The application object's end waits for the workers, before the
// resources they read go away.
void waitForPreparedPictures()
{
    finishPreparedPictures();
    prepared().clear();
}

} // namespace

void preparePicture(const QString &path)
{
    auto &decodings = prepared();
    if (decodings.count(path))
        return;
    static const bool waitAtEnd = [] {
        qAddPostRoutine(waitForPreparedPictures);
        return true;
    }();
    (void)waitAtEnd;
    // On the shared pool's thread, which stays for the next picture: a
    // thread made and ended for each would cost more than the handing over.
    auto decoded = std::make_shared<std::promise<QImage>>();
    decodings.emplace(path, decoded->get_future());
    QThreadPool::globalInstance()->start([decoded, path] { decoded->set_value(decodePicture(path)); });
}

void finishPreparedPictures()
{
    for (const auto &[path, decoding] : prepared())
        decoding.wait();
}

bool isPicturePrepared(const QString &path)
{
    return prepared().count(path) != 0;
}

void discardPreparedPicture(const QString &path)
{
    auto &decodings = prepared();
    if (auto it = decodings.find(path); it != decodings.end()) {
        it->second.wait();
        decodings.erase(it);
    }
}

QImage loadPicture(const QString &path)
{
    auto &decodings = prepared();
    if (auto it = decodings.find(path); it != decodings.end()) {
        QImage image = it->second.get();
        decodings.erase(it);
        return image;
    }
    return decodePicture(path);
}

HeldPicture::HeldPicture(QString path)
    : m_path(std::move(path))
{
    if (m_path.startsWith(QLatin1Char(':')))
        listResourcePages(m_path);
}

// A picture prepared for a window that goes without taking it is not kept
// for one that may never come.
HeldPicture::~HeldPicture()
{
    discardPreparedPicture(m_path);
}

const QImage &HeldPicture::Picture()
{
    if (m_image.isNull())
        m_image = loadPicture(m_path);
    return m_image;
}

void HeldPicture::prepare() const
{
    if (m_image.isNull())
        preparePicture(m_path);
}

QPixmap loadPixmap(const QString &path)
{
    return QPixmap::fromImage(loadPicture(path));
}

} // namespace rt
