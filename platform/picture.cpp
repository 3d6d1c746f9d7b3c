#include "picture.h"

#include <QBackingStore>
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QResource>
#include <QThreadPool>
#include <QWidget>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <future>
#include <map>
#include <mutex>
#include <utility>
#include <vector>
#if defined(Q_OS_UNIX)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace rt {
namespace {

// A photograph's pixels are written once, row by row: made present in one
// call rather than faulted in page by page (see preparePaintMemory()).
// Buffers that size have pages of their own.
void makePresent(const uchar *data, qsizetype size)
{
#if defined(Q_OS_LINUX) && defined(MADV_POPULATE_WRITE)
    if (size < 128 * 1024)
        return;
    const auto page = static_cast<quintptr>(sysconf(_SC_PAGESIZE));
    const quintptr begin = reinterpret_cast<quintptr>(data) & ~(page - 1);
    const quintptr end = (reinterpret_cast<quintptr>(data) + quintptr(size) + page - 1) & ~(page - 1);
    madvise(reinterpret_cast<void *>(begin), end - begin, MADV_POPULATE_WRITE);
#else
    (void)data;
    (void)size;
#endif
}

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

// A compressed resource is read once, when its picture is decoded; its pages
// of the program file need not stay in memory after that (the system reads
// them again should anything ask). Reading one resource can map pages of
// others (the system maps a file's cached pages in blocks), so each release
// goes over every range listed: those of the pictures decoded so far, and
// of those held to be decoded later, which are not read before then.
class ResourcePages {
public:
    static void list(const QString &path) { instance().add(path, false); }
    static void release(const QString &path) { instance().add(path, true); }

private:
    static ResourcePages &instance()
    {
        static ResourcePages pages;
        return pages;
    }

    void add(const QString &path, bool release)
    {
#if defined(Q_OS_UNIX)
        const QResource resource(path);
        if (!resource.isValid() || resource.compressionAlgorithm() == QResource::NoCompression)
            return;
        // Pictures are decoded on worker threads too.
        const std::lock_guard lock(m_mutex);
        const auto page = static_cast<quintptr>(sysconf(_SC_PAGESIZE));
        const auto begin = (reinterpret_cast<quintptr>(resource.data()) + page - 1) & ~(page - 1);
        const auto end = (reinterpret_cast<quintptr>(resource.data()) + quintptr(resource.size())) & ~(page - 1);
        if (end > begin && std::find(m_ranges.begin(), m_ranges.end(), std::pair{begin, end}) == m_ranges.end())
            m_ranges.emplace_back(begin, end);
        if (!release)
            return;
        for (const auto &[from, to] : m_ranges)
            madvise(reinterpret_cast<void *>(from), to - from, MADV_DONTNEED);
#else
        (void)path;
        (void)release;
#endif
    }

    std::mutex m_mutex;
    std::vector<std::pair<quintptr, quintptr>> m_ranges;
};

QImage decodePicture(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    file.close();
    if (path.startsWith(QLatin1Char(':')))
        ResourcePages::release(path);
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

void preparePaintMemory(QWidget *window)
{
#if defined(Q_OS_LINUX) && defined(MADV_POPULATE_WRITE)
    QBackingStore *store = window ? window->backingStore() : nullptr;
    QPaintDevice *device = store ? store->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image)
        return;
    const auto *image = static_cast<const QImage *>(device);
    const auto from = reinterpret_cast<quintptr>(image->constBits());
    const char *const key = "rt_presentPaintMemory";
    if (from == 0 || window->property(key).value<quintptr>() == from)
        return;
    window->setProperty(key, QVariant::fromValue(from));
    const auto page = static_cast<quintptr>(sysconf(_SC_PAGESIZE));
    const quintptr begin = from & ~(page - 1);
    const quintptr end = (from + quintptr(image->sizeInBytes()) + page - 1) & ~(page - 1);
    // A system without it says so and the painting faults the pages in as before.
    madvise(reinterpret_cast<void *>(begin), end - begin, MADV_POPULATE_WRITE);
#else
    (void)window;
#endif
}

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
        ResourcePages::list(m_path);
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
