// The person's preferences: written only when one changes, whole or not at
// all; bad files and folders give the defaults and a word, never a crash.
#include "preferences.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class TestPreferences : public QObject {
    Q_OBJECT
private slots:
    void writtenOnlyOnAChange()
    {
        QTemporaryDir home;
        const QString file = home.filePath(QStringLiteral("config/temporia/temporia.conf"));
        {
            rt::Preferences p(file);
            QCOMPARE(p.weekNumbers(), false);
            p.setWeekNumbers(false); // no change
            p.setWeekNumbersForThisRun(true);
            QCOMPARE(p.weekNumbers(), true);
            QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral("config"))));
            p.setWeekNumbers(true);
            QVERIFY(p.lastProblem().isEmpty());
        }
        QVERIFY(QFileInfo::exists(file));
        const QDateTime written = QFileInfo(file).lastModified();
        rt::Preferences again(file);
        QCOMPARE(again.weekNumbers(), true);
        // The command line's choice holds for the run and is not written.
        again.setWeekNumbersForThisRun(false);
        QCOMPARE(again.weekNumbers(), false);
        QCOMPARE(QFileInfo(file).lastModified(), written);
        QCOMPARE(rt::Preferences(file).weekNumbers(), true);
        // A change by the person after it is.
        again.setWeekNumbers(false);
        QCOMPARE(rt::Preferences(file).weekNumbers(), false);
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("said");
        QTest::newRow("not text") << QByteArray("\x00\xff\xfe[\x01=\x02\n\x80", 9) << "holds no preferences";
        QTest::newRow("another program's") << QByteArray("[General]\nvolume=11\n") << "holds no preferences";
        QTest::newRow("empty") << QByteArray() << "holds no preferences";
        QTest::newRow("a later version") << QByteArray("[General]\nversion=2\n[calendar]\nweekNumbers=true\n")
                                         << "a later version";
        QTest::newRow("nonsense value") << QByteArray("[General]\nversion=1\n[calendar]\nweekNumbers=maybe\n")
                                        << "is not true or false";
        QTest::newRow("a number as the version") << QByteArray("[General]\nversion=one\n") << "holds no preferences";
    }
    void badFiles()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, said);
        QTemporaryDir home;
        const QString file = home.filePath(QStringLiteral("temporia.conf"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(contents);
        out.close();
        rt::Preferences p(file);
        QCOMPARE(p.weekNumbers(), false);
        QVERIFY2(p.lastProblem().contains(said), qPrintable(p.lastProblem()));
        // Nothing written back.
        QFile in(file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QCOMPARE(in.readAll(), contents);
    }

    // A folder that cannot be made, or a folder in the file's place: the
    // change holds for the run, and a word says it is not kept.
    void unwritable_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("folder under a file") << "plain/temporia/temporia.conf";
        QTest::newRow("a folder as the file") << "folder";
    }
    void unwritable()
    {
        QFETCH(QString, file);
        QTemporaryDir home;
        QFile plain(home.filePath(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QVERIFY(QDir(home.path()).mkdir(QStringLiteral("folder")));
        rt::Preferences p(home.filePath(file));
        p.setWeekNumbers(true);
        QVERIFY(!p.lastProblem().isEmpty());
        QCOMPARE(p.weekNumbers(), true);
    }

    // Killed while it writes, again and again: the file is always a whole
    // one, the old or the new.
    void killedWhileWriting()
    {
        QTemporaryDir home;
        const QString file = home.filePath(QStringLiteral("temporia.conf"));
        for (int round = 0; round < 20; ++round) {
            QProcess writer;
            writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            writer.start(QStringLiteral(PREFERENCES_WRITER), {file});
            QVERIFY(writer.waitForStarted());
            // Killed at some moment of its writing, however slowly it started.
            QVERIFY(writer.waitForReadyRead(30000));
            QTest::qWait(static_cast<int>(QRandomGenerator::global()->bounded(0, 20)));
            writer.kill();
            QVERIFY(writer.waitForFinished());
            rt::Preferences p(file);
            QVERIFY(p.weekNumbers() || !p.weekNumbers());
            QVERIFY2(p.lastProblem().isEmpty(), qPrintable(p.lastProblem()));
        }
    }
};

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
