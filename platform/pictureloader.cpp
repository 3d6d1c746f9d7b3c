#include "pictureloader.h"

#include "tuning.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QThreadPool>

#include <algorithm>
#include <future>
#include <map>
#include <utility>

namespace rt {
namespace {

QImage decodePicture(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    file.close();
    if (path.startsWith(QLatin1Char(':')))
        releaseResourcePages(path);
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
