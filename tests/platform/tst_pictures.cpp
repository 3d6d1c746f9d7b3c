// The bitmaps compiled into the program (photographs, toolbar pictures) as
// loadPicture() decodes them, against what their files hold, read here
// byte by byte: the same size, each pixel's colour, and the depth they are
// kept at (one byte a pixel with their colour table, not four).
#include "pictureloader.h"

#include <QDirIterator>
#include <QFile>
#include <QTest>
#include <QtEndian>

namespace {

struct FileBitmap {
    int width = 0;
    int height = 0;
    int bits = 0;
    QList<QRgb> table;
    QByteArray file;
    quint32 offset = 0;

    // The colour of the pixel at (x, y), the top row first.
    QRgb pixel(int x, int y) const
    {
        const auto *data = reinterpret_cast<const uchar *>(file.constData());
        const int stride = ((width * bits + 31) / 32) * 4;
        const uchar *row = data + offset + qsizetype(stride) * (height - 1 - y);
        const int bit = x * bits;
        const int index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1);
        return table.value(index, qRgb(0, 0, 0));
    }
};

FileBitmap readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    FileBitmap b;
    b.file = f.readAll();
    const auto *data = reinterpret_cast<const uchar *>(b.file.constData());
    b.offset = qFromLittleEndian<quint32>(data + 10);
    b.width = qFromLittleEndian<qint32>(data + 18);
    b.height = qFromLittleEndian<qint32>(data + 22);
    b.bits = qFromLittleEndian<quint16>(data + 28);
    quint32 colours = qFromLittleEndian<quint32>(data + 46);
    if (colours == 0)
        colours = 1u << b.bits;
    for (quint32 i = 0; i < colours; ++i) {
        const uchar *c = data + 14 + 40 + 4 * i; // blue, green, red, unused
        b.table.append(qRgb(c[2], c[1], c[0]));
    }
    return b;
}

} // namespace

class tst_Pictures : public QObject {
    Q_OBJECT
private slots:
    void bitmaps_data()
    {
        QTest::addColumn<QString>("path");
        QDirIterator it(QStringLiteral(":/"), {QStringLiteral("*.bmp")}, QDir::Files, QDirIterator::Subdirectories);
        int found = 0;
        while (it.hasNext()) {
            const QString path = it.next();
            QTest::newRow(qPrintable(path)) << path;
            ++found;
        }
        QVERIFY2(found >= 16, "the photographs and toolbar pictures are compiled in");
    }

    void bitmaps()
    {
        QFETCH(QString, path);
        const FileBitmap file = readFile(path);
        // Bottom-up rows without compression, 40-byte header: all the program ships.
        QCOMPARE(qFromLittleEndian<quint32>(file.file.constData() + 14), 40u);
        QCOMPARE(qFromLittleEndian<quint32>(file.file.constData() + 30), 0u);
        QVERIFY(file.height > 0);

        const QImage image = rt::loadPicture(path);
        QCOMPARE(image.size(), QSize(file.width, file.height));
        QCOMPARE(image.format(), file.bits == 1 ? QImage::Format_Mono : QImage::Format_Indexed8);
        QVERIFY(image.colorCount() >= file.table.size());
        for (int y = 0; y < file.height; ++y) {
            for (int x = 0; x < file.width; ++x) {
                if (image.pixel(x, y) != file.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2: %3, the file has %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(image.pixel(x, y), 8, 16)
                                         .arg(file.pixel(x, y), 8, 16)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(tst_Pictures)
#include "tst_pictures.moc"
