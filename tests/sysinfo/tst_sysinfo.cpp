// The stand-in system-information program: what it reads from the system's
// summaries, and that its window shows every part of the summary.
#include "sysinfowindow.h"

#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

class TestSysInfo : public QObject {
    Q_OBJECT
private slots:
    void processor_data();
    void processor();
    void memory();
    void upTime_data();
    void upTime();
    void windowShowsTheWholeSummary();
};

void TestSysInfo::processor_data()
{
    QTest::addColumn<QByteArray>("cpuinfo");
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("cores");
    QTest::addColumn<int>("logical");

    // Two packages of two cores, each core with two threads.
    QByteArray twoPackages;
    for (int package = 0; package < 2; ++package) {
        for (int thread = 0; thread < 4; ++thread) {
            twoPackages += "processor\t: " + QByteArray::number(package * 4 + thread)
                           + "\nmodel name\t: Example  CPU   @ 2.40GHz\nphysical id\t: " + QByteArray::number(package)
                           + "\ncore id\t\t: " + QByteArray::number(thread / 2) + "\n\n";
        }
    }
    QTest::newRow("two packages, hyperthreads") << twoPackages << u"Example CPU @ 2.40GHz"_s << 4 << 8;
    QTest::newRow("no core ids: one core per processor")
        << QByteArray("processor : 0\nHardware : Board X\n\nprocessor : 1\n\n") << u"Board X"_s << 2 << 2;
    QTest::newRow("nothing readable") << QByteArray() << QString() << 0 << 0;
}

void TestSysInfo::processor()
{
    QFETCH(QByteArray, cpuinfo);
    QFETCH(QString, model);
    QFETCH(int, cores);
    QFETCH(int, logical);

    const sysinfo::Processor p = sysinfo::parseCpuInfo(cpuinfo);
    QCOMPARE(p.model, model);
    QCOMPARE(p.cores, cores);
    QCOMPARE(p.logical, logical);
}

void TestSysInfo::memory()
{
    const sysinfo::Memory m = sysinfo::parseMemInfo(
        "MemTotal:       16318856 kB\nMemFree:         1000000 kB\nMemAvailable:    8000000 kB\n");
    QCOMPARE(m.total, Q_INT64_C(16318856) * 1024);
    QCOMPARE(m.available, Q_INT64_C(8000000) * 1024);
    QCOMPARE(sysinfo::parseMemInfo("").total, -1);
}

void TestSysInfo::upTime_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("minutes") << qint64(125) << u"0 days, 00:02:05"_s;
    QTest::newRow("one day") << qint64(86400 + 3600) << u"1 day, 01:00:00"_s;
    QTest::newRow("weeks") << qint64(15 * 86400 + 23 * 3600 + 59 * 60 + 59) << u"15 days, 23:59:59"_s;
}

void TestSysInfo::upTime()
{
    QFETCH(qint64, seconds);
    QFETCH(QString, text);
    QCOMPARE(sysinfo::upTimeText(seconds), text);
}

void TestSysInfo::windowShowsTheWholeSummary()
{
    const QList<sysinfo::Fact> facts = sysinfo::gatherFacts();
    const QStringList expected{
        u"OS Name"_s, u"Version"_s, u"Kernel"_s,    u"Processor"_s,      u"Cores"_s, u"Installed Physical Memory"_s,
        u"Up Time"_s, u"Locale"_s,  u"Display 1"_s, u"Toolkit Version"_s};
    QStringList items;
    for (const sysinfo::Fact &fact : facts) {
        QVERIFY2(!fact.value.isEmpty(), qPrintable(fact.item));
        items << fact.item;
    }
    for (const QString &item : expected)
        QVERIFY2(items.contains(item), qPrintable(item));

    // Each category shows its own facts and nothing else, read-only.
    sysinfo::SysInfoWindow window(facts);
    QCOMPARE(window.windowTitle(), u"System Information"_s);
    int shown = 0;
    for (QTreeWidgetItemIterator it(window.categories()); *it; ++it) {
        window.categories()->setCurrentItem(*it);
        for (int row = 0; row < window.items()->topLevelItemCount(); ++row) {
            const QTreeWidgetItem *item = window.items()->topLevelItem(row);
            QVERIFY(!(item->flags() & Qt::ItemIsEditable));
            ++shown;
        }
    }
    QCOMPARE(shown, facts.size());
}

QTEST_MAIN(TestSysInfo)
#include "tst_sysinfo.moc"
