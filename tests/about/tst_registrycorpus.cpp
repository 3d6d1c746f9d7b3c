// Replays the registry contents the fuzzer kept (tests/about/corpus, made by
// scripts/fuzz.sh) through the same harness, without the fuzzer: each must
// be read without a crash, with every key closed and one answer from the
// launcher. Under the asan preset this also checks every buffer access.
#include "registryharness.h"

#include <QDir>
#include <QTest>

class TestRegistryCorpus : public QObject {
    Q_OBJECT
private slots:
    void replays_data()
    {
        QTest::addColumn<QString>("path");
        const QDir corpus(QStringLiteral(CORPUS_DIR));
        for (const QString &name : corpus.entryList(QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(name)) << corpus.filePath(name);
    }
    void replays()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray input = file.readAll();
        RegistryHarness harness;
        const QString broken = harness.run(reinterpret_cast<const std::uint8_t *>(input.constData()),
                                           static_cast<std::size_t>(input.size()));
        QVERIFY2(broken.isEmpty(), qPrintable(broken));
    }
    void corpusIsThere() { QVERIFY(QDir(QStringLiteral(CORPUS_DIR)).entryList(QDir::Files).size() >= 10); }
};

QTEST_MAIN(TestRegistryCorpus)
#include "tst_registrycorpus.moc"
