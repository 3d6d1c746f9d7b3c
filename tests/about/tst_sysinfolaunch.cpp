// The system-information program started for real: through the real
// launcher and file test, and found through the built-in registry table
// beside the main executable.
#include "about/builtinregistry.h"
#include "about/frmabout.h"
#include "doubles.h"
#include "fakeregistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Real launcher, real files; messages recorded, nothing ends the test program.
class RealWorld {
public:
    testing::RecordingMessages messages;
    std::vector<int> endings;

    RealWorld()
        : m_scope(rt::services(), rt::withRealServices(rt::Services{nullptr, nullptr, &messages, nullptr, nullptr,
                                                                    [this](int code) { endings.push_back(code); }}))
    {
    }
    ~RealWorld() { rt::Forms::destroyAll(); }

private:
    testing::StandIn<rt::Services> m_scope;
};

bool copyExecutable(const QString &from, const QString &to)
{
    return QFile::copy(from, to) && QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void clickSystemInfo()
{
    frmAbout &about = rt::form<frmAbout>();
    about.setVisible(true);
    QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
}

// What the probe program wrote when it started: its own path and arguments,
// one a line; empty if it never started.
QByteArray startedCommand(const QString &log)
{
    if (!QTest::qWaitFor([&] { return QFile::exists(log); }, 10000))
        return {};
    QFile started(log);
    return started.open(QIODevice::ReadOnly) ? started.readAll() : QByteArray();
}

} // namespace

class TestSysInfoLaunch : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pathWithBlanksAndShellCharactersStartsThatProgram();
    void folderLookupFindsTheProgramOnDisk();
    void missingProgramIsReportedOnce();
    void builtinTableNamesTheProgramBesideTheExecutable();

private:
    QTemporaryDir m_dir;
};

void TestSysInfoLaunch::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // Whatever a shell would make of the paths below happens here, where the
    // test can see it.
    QVERIFY(QDir::setCurrent(m_dir.path()));
    QVERIFY(QDir(m_dir.path()).mkdir(u"dir with blanks"_s));
    // Were a path cut at its first blank, this program would run instead.
    QFile trap(m_dir.filePath(u"dir"_s));
    QVERIFY(trap.open(QIODevice::WriteOnly));
    trap.write("#!/bin/sh\ntouch \"$(dirname \"$0\")/trap-ran\"\n");
    trap.close();
    QVERIFY(trap.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void TestSysInfoLaunch::pathWithBlanksAndShellCharactersStartsThatProgram()
{
    const QString program = m_dir.filePath(u"dir with blanks/sys info;touch injected"_s);
    const QString log = m_dir.filePath(u"started-1"_s);
    QVERIFY(copyExecutable(QStringLiteral(PROBE), program));
    qputenv("TEMPORIA_PROBE_LOG", QFile::encodeName(log));

    RealWorld world;
    testing::FakeRegistry registry;
    registry.setText("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", QFile::encodeName(program).toStdString());
    testing::StandIn scope(reg::installedRegistry(), &registry);
    clickSystemInfo();

    QVERIFY(world.messages.shown.empty());
    // The program itself, with no arguments: nothing was split or interpreted.
    QCOMPARE(startedCommand(log), QFile::encodeName(program) + '\n');
    QVERIFY(!QFile::exists(m_dir.filePath(u"trap-ran"_s)));
    QVERIFY(!QFile::exists(m_dir.filePath(u"injected"_s)));
    QVERIFY(rt::isLoaded<frmAbout>());
}

void TestSysInfoLaunch::folderLookupFindsTheProgramOnDisk()
{
    const QString folder = m_dir.filePath(u"dir with blanks"_s);
    const QString log = m_dir.filePath(u"started-2"_s);
    QVERIFY(copyExecutable(QStringLiteral(PROBE), folder + u"/MSINFO32.EXE"_s));
    qputenv("TEMPORIA_PROBE_LOG", QFile::encodeName(log));

    RealWorld world;
    testing::FakeRegistry registry;
    registry.addKey("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
    registry.setText("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", QFile::encodeName(folder).toStdString());
    testing::StandIn scope(reg::installedRegistry(), &registry);
    clickSystemInfo();

    QVERIFY(world.messages.shown.empty());
    QCOMPARE(startedCommand(log), QFile::encodeName(folder + u"/MSINFO32.EXE"_s) + '\n');
}

void TestSysInfoLaunch::missingProgramIsReportedOnce()
{
    RealWorld world;
    testing::FakeRegistry registry;
    registry.setText("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                     QFile::encodeName(m_dir.filePath(u"no such program"_s)).toStdString());
    testing::StandIn scope(reg::installedRegistry(), &registry);
    clickSystemInfo();

    QCOMPARE(world.messages.shown.size(), std::size_t{1});
    QCOMPARE(world.messages.shown.front().text, u"System Information Is Unavailable At This Time"_s);
    QVERIFY(rt::isLoaded<frmAbout>());
    QVERIFY(world.endings.empty());
}

void TestSysInfoLaunch::builtinTableNamesTheProgramBesideTheExecutable()
{
    // The build puts the stand-in beside the main executable.
    const QString runtimeDir = QStringLiteral(RUNTIME_DIR);
    QVERIFY(QFileInfo(runtimeDir + u"/temporia"_s).isExecutable());
    QVERIFY(QFileInfo(runtimeDir + u"/temporia-sysinfo"_s).isExecutable());

    reg::BuiltinRegistry table(QFile::encodeName(runtimeDir).toStdString());
    {
        testing::StandIn scope(reg::installedRegistry(), &table);
        RealWorld world;
        frmAbout &about = rt::form<frmAbout>();
        QString KeyVal;
        QVERIFY(about.GetKeyValue(reg::HKeyLocalMachine, u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_s, u"PATH"_s,
                                  KeyVal));
        QCOMPARE(KeyVal, runtimeDir + u"/temporia-sysinfo"_s);
        QVERIFY(about.GetKeyValue(reg::HKeyLocalMachine, u"SOFTWARE\\Microsoft\\Shared Tools Location"_s, u"MSINFO"_s,
                                  KeyVal));
        QCOMPARE(KeyVal, runtimeDir);
        QVERIFY(!about.GetKeyValue(reg::HKeyLocalMachine, u"SOFTWARE\\Other"_s, u"PATH"_s, KeyVal));
        QCOMPARE(KeyVal, QString());
    }

    // Read-only: asking for the right to change a key is refused.
    reg::Handle key = 0;
    QCOMPARE(table.RegOpenKeyExA(reg::HKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", 0, 0x2003F, key),
             reg::AccessDenied);
    QCOMPARE(key, reg::Handle{0});

    // The program's own table is found from wherever the executable runs.
    QString KeyVal;
    RealWorld world;
    QVERIFY(rt::form<frmAbout>().GetKeyValue(reg::HKeyLocalMachine, u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_s,
                                             u"PATH"_s, KeyVal));
    QCOMPARE(KeyVal, QCoreApplication::applicationDirPath() + u"/temporia-sysinfo"_s);
}

QTEST_MAIN(TestSysInfoLaunch)
#include "standin.h"
#include "tst_sysinfolaunch.moc"
