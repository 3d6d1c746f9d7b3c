// The About window: its texts and layout, how it closes, and the launch of
// the system-information program through the registry double.
#include "about/frmabout.h"
#include "doubles.h"
#include "fakeregistry.h"
#include "paths.h"
#include "resourcenames.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const std::string sysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string locationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const QString unavailable = QStringLiteral("System Information Is Unavailable At This Time");

using testing::here;

std::string bytes(const QByteArray &b)
{
    return b.toStdString();
}

// A registry value for a test row; type 0 means absent.
struct Value {
    std::uint32_t type = 0;
    QByteArray bytes;
};

Value text(const QByteArray &t)
{
    return {reg::RegSz, t + '\0'};
}

} // namespace

Q_DECLARE_METATYPE(Value)

class TestFrmAbout : public QObject {
    Q_OBJECT
private slots:
    void showsItsOwnTextsAfterLoading();
    void layout_data();
    void layout();
    void titleUsesAnInstalledItalicFace();
    void closes_data();
    void closes();
    void comesBackWhenMinimised();
    void systemInfoAnswersEnterAndAltS();
    void startSysInfo_data();
    void startSysInfo();
    void getKeyValue_data();
    void getKeyValue();

private:
    frmAbout &open()
    {
        frmAbout &about = rt::form<frmAbout>();
        about.setVisible(true);
        return about;
    }
};

void TestFrmAbout::showsItsOwnTextsAfterLoading()
{
    testing::Doubles doubles;
    frmAbout &about = open();

    QCOMPARE(about.Caption(), QStringLiteral("About TEMPORIA"));
    QCOMPARE(about.lblTitle->Caption(), QStringLiteral("TEMPORIA"));
    QCOMPARE(about.lblVersion->Caption(), QStringLiteral("Version 1.0.0"));
    QCOMPARE(about.lblDescription->Caption(), QStringLiteral("Requirment: WIN 9X"));
    QCOMPARE(about.Label1->Caption(),
             QStringLiteral("Thanks for using this program. Do visit the web site for details"));
    QVERIFY(!about.lblDisclaimer->Caption().isEmpty());
    QVERIFY(!about.Label2->Caption().isEmpty());
    QCOMPARE(about.cmdOK->text(), QStringLiteral("OK"));
    QCOMPARE(about.cmdSysInfo->text(), QStringLiteral("&System Info..."));
    QVERIFY(about.cmdOK->isDefault());

    // OK has the focus first; Tab goes on to System Info.
    QCOMPARE(about.client()->focusWidget(), about.cmdOK);
    QWidget *next = about.cmdOK->nextInFocusChain();
    while (next->focusPolicy() == Qt::NoFocus)
        next = next->nextInFocusChain();
    QCOMPARE(next, about.cmdSysInfo);

    // The logo, when the build has one, at its own 32 x 32 pixels.
    if (QFile::exists(resourcenames::logo)) {
        QCOMPARE(about.picIcon->size(), QSize(32, 32));
        QVERIFY(!about.picIcon->Picture().isNull());
    } else {
        QVERIFY(about.picIcon->Picture().isNull());
    }
}

void TestFrmAbout::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips"); // left, top, width, height

    QTest::newRow("cmdOK") << u"cmdOK"_s << QRect(4245, 2625, 1260, 345);
    QTest::newRow("cmdSysInfo") << u"cmdSysInfo"_s << QRect(4260, 3075, 1245, 345);
    QTest::newRow("Label2") << u"Label2"_s << QRect(1920, 2640, 1455, 375);
    QTest::newRow("Label1") << u"Label1"_s << QRect(120, 1920, 5415, 375);
    QTest::newRow("lblDescription") << u"lblDescription"_s << QRect(1050, 1125, 4005, 450);
    QTest::newRow("lblTitle") << u"lblTitle"_s << QRect(960, 240, 3885, 360);
    QTest::newRow("lblVersion") << u"lblVersion"_s << QRect(1050, 780, 3885, 225);
    QTest::newRow("lblDisclaimer") << u"lblDisclaimer"_s << QRect(255, 2625, 1710, 345);
}

void TestFrmAbout::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);

    testing::Doubles doubles;
    frmAbout &about = open();
    QCOMPARE(about.client()->size(), QSize(382, 237)); // 5730 x 3555 twips
    auto *control = about.client()->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), rt::twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));

    // The etched rule: grey, then two white pixels just below it.
    QCOMPARE(about.Line1[1]->pixels(), QLine(6, 163, 377, 163));
    QCOMPARE(about.Line1[0]->pixels(), QLine(7, 164, 377, 164));
    QCOMPARE(about.Line1[0]->geometry().height(), 2);
    QVERIFY(about.Line1[0]->geometry().top() > about.Label1->geometry().bottom());
    QVERIFY(about.Line1[0]->geometry().bottom() < about.cmdOK->geometry().top());
}

void TestFrmAbout::titleUsesAnInstalledItalicFace()
{
    testing::Doubles doubles;
    frmAbout &about = open();
    const QFontInfo shown(about.lblTitle->font());
    QVERIFY(shown.italic());
    QVERIFY(QFontDatabase::families().contains(shown.family()));
    if (QFontDatabase::families().contains(QStringLiteral("Z003")))
        QCOMPARE(shown.family(), QStringLiteral("Z003"));
}

void TestFrmAbout::closes_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("OK clicked") << 0;
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Enter on the keypad") << int(Qt::Key_Enter);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
    QTest::newRow("close box") << -1;
}

void TestFrmAbout::closes()
{
    QFETCH(int, how);

    testing::Doubles doubles;
    frmAbout &about = open();
    QVERIFY(QTest::qWaitForWindowActive(about.window()));
    if (how == 0)
        QTest::mouseClick(about.cmdOK, Qt::LeftButton);
    else if (how == -1)
        about.window()->close();
    else
        QTest::keyClick(about.window()->focusWidget(), Qt::Key(how));

    QVERIFY(!rt::isLoaded<frmAbout>());
    QCOMPARE(doubles.endings, std::vector<int>{0}); // the last window: the program ends
}

// Some window managers offer to minimise any window. The About window has no
// minimise button and is often the program's last window: it comes back.
void TestFrmAbout::comesBackWhenMinimised()
{
    testing::Doubles doubles;
    frmAbout &about = open();
    QVERIFY(QTest::qWaitForWindowActive(about.window()));
    QVERIFY(!(about.window()->windowFlags() & Qt::WindowMinimizeButtonHint));
    about.window()->showMinimized();
    QTRY_VERIFY(!about.window()->isMinimized());
    QVERIFY(about.Visible());
    QVERIFY(QTest::qWaitForWindowActive(about.window()));
}

void TestFrmAbout::systemInfoAnswersEnterAndAltS()
{
    testing::Doubles doubles;
    testing::FakeRegistry registry; // empty
    testing::StandIn scope(reg::installedRegistry(), &registry);
    frmAbout &about = open();
    QVERIFY(QTest::qWaitForWindowActive(about.window()));
    about.cmdSysInfo->setFocus();

    QTest::keyClick(about.cmdSysInfo, Qt::Key_Return);
    QCOMPARE(doubles.messages.shown.size(), std::size_t{1});
    QVERIFY(rt::isLoaded<frmAbout>());

    // Alt+S presses it as a click would, after showing it pressed.
    QTest::keyClick(about.cmdSysInfo, Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(doubles.messages.shown.size(), std::size_t{2});
    QVERIFY(rt::isLoaded<frmAbout>());
}

void TestFrmAbout::startSysInfo_data()
{
    QTest::addColumn<Value>("path");        // "PATH" under the first key
    QTest::addColumn<Value>("folder");      // "MSINFO" under the second key
    QTest::addColumn<QStringList>("files"); // files that exist
    QTest::addColumn<bool>("launcherWorks");
    QTest::addColumn<QStringList>("started"); // programs the launcher was asked to start
    QTest::addColumn<int>("messages");

    const Value none;
    const Value tools = text("C:\\Tools");
    const QStringList msinfo{u"C:\\Tools\\MSINFO32.EXE"_s};
    const QByteArray long1023 = "/opt/" + QByteArray(1018, 'a');

    QTest::newRow("lookup 1, even with lookup 2 present")
        << text("C:\\Program Files\\Tools\\msinfo32.exe") << tools << msinfo << true
        << QStringList{u"C:\\Program Files\\Tools\\msinfo32.exe"_s} << 0;
    QTest::newRow("lookup 1 missing, lookup 2's folder holds MSINFO32.EXE")
        << none << tools << msinfo << true << msinfo << 0;
    QTest::newRow("folder ending in a backslash: doubled, passed on")
        << none << text("C:\\Tools\\") << QStringList{u"C:\\Tools\\\\MSINFO32.EXE"_s} << true
        << QStringList{u"C:\\Tools\\\\MSINFO32.EXE"_s} << 0;
    QTest::newRow("lookup 2's folder without MSINFO32.EXE")
        << none << tools << QStringList{} << true << QStringList{} << 1;
    QTest::newRow("both missing: one message, nothing started") << none << none << msinfo << true << QStringList{} << 1;
    QTest::newRow("last counted byte not zero: kept")
        << Value{reg::RegSz, "/opt/sysinfo"} << none << QStringList{} << true << QStringList{u"/opt/sysinfo"_s} << 0;
    QTest::newRow("type 2: references expanded")
        << Value{reg::RegExpandSz, text("%ProgramFiles%\\Tools\\msinfo32.exe").bytes} << none << QStringList{} << true
        << QStringList{u"C:\\Program Files\\Tools\\msinfo32.exe"_s} << 0;
    QTest::newRow("type 4: its decimal number, which starts nothing")
        << Value{reg::RegDword, QByteArray("\x02\x01\x00\x00", 4)} << none << QStringList{} << false
        << QStringList{u"258"_s} << 1;
    QTest::newRow("type 3: not text, lookup 2 used")
        << Value{reg::RegBinary, "C:\\Bin\\x.exe"} << tools << msinfo << true << msinfo << 0;
    QTest::newRow("type 7: not text, nothing started")
        << Value{reg::RegMultiSz, QByteArray("C:\\a.exe\0C:\\b.exe\0\0", 19)} << none << QStringList{} << true
        << QStringList{} << 1;
    QTest::newRow("1024 bytes with the zero: 1023 characters")
        << text(long1023) << none << QStringList{} << true << QStringList{QString::fromLatin1(long1023)} << 0;
    QTest::newRow("1024 bytes without a zero: all kept")
        << Value{reg::RegSz, long1023 + 'b'} << none << QStringList{} << true
        << QStringList{QString::fromLatin1(long1023 + 'b')} << 0;
    QTest::newRow("1025 bytes: query fails, lookup 2 used")
        << text(long1023 + 'b') << tools << msinfo << true << msinfo << 0;
    QTest::newRow("size 0: empty path, message, no run-time error")
        << Value{reg::RegSz, QByteArray()} << tools << msinfo << true << QStringList{} << 1;
    QTest::newRow("launcher fails") << text("/opt/sysinfo") << none << QStringList{} << false
                                    << QStringList{u"/opt/sysinfo"_s} << 1;
    QTest::newRow("run-time error in the reader (type 4 wider than 32 bits)")
        << Value{reg::RegDword, QByteArray("\x01\x00\x00\x00\x01\x00\x00\x00", 8)} << tools << msinfo << true
        << QStringList{} << 1;
}

void TestFrmAbout::startSysInfo()
{
    QFETCH(Value, path);
    QFETCH(Value, folder);
    QFETCH(QStringList, files);
    QFETCH(bool, launcherWorks);
    QFETCH(QStringList, started);
    QFETCH(int, messages);

    testing::Doubles doubles;
    doubles.files.files = here(files);
    doubles.launcher.succeeds = launcherWorks;
    testing::FakeRegistry registry;
    registry.environment["ProgramFiles"] = "C:\\Program Files";
    registry.addKey(sysInfoKey);
    registry.addKey(locationKey);
    if (path.type)
        registry.set(sysInfoKey, "PATH", path.type, bytes(path.bytes));
    if (folder.type)
        registry.set(locationKey, "MSINFO", folder.type, bytes(folder.bytes));
    testing::StandIn scope(reg::installedRegistry(), &registry);

    frmAbout &about = open();
    QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);

    QCOMPARE(doubles.launcher.started, here(started));
    QCOMPARE(int(doubles.messages.shown.size()), messages);
    for (const testing::RecordedMessage &m : doubles.messages.shown) {
        QCOMPARE(m.text, unavailable);
        QCOMPARE(m.title, QStringLiteral("TEMPORIA"));
    }
    // Every key opened was closed, with read rights only asked for.
    QCOMPARE(registry.closes, registry.opens);
    QCOMPARE(registry.openKeys(), std::size_t{0});
    QCOMPARE(registry.badCloses, 0);
    for (std::uint32_t access : registry.accessAsked)
        QCOMPARE(access, reg::KeyRead);
    // The window stays, whatever happened.
    QVERIFY(rt::isLoaded<frmAbout>());
    QVERIFY(about.Visible());
    QVERIFY(about.cmdSysInfo->isEnabled());
    QVERIFY(doubles.endings.empty());
}

void TestFrmAbout::getKeyValue_data()
{
    QTest::addColumn<Value>("value");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QString>("keyVal");

    QTest::newRow("text") << text("abc") << true << u"abc"_s;
    QTest::newRow("DWORD 258") << Value{reg::RegDword, QByteArray("\x02\x01\x00\x00", 4)} << true << u"258"_s;
    QTest::newRow("DWORD 0") << Value{reg::RegDword, QByteArray(4, '\0')} << true << u"0"_s;
    QTest::newRow("DWORD with its top byte set")
        << Value{reg::RegDword, QByteArray("\x00\x00\x00\x01", 4)} << true << u"16777216"_s;
    QTest::newRow("DWORD all ones") << Value{reg::RegDword, QByteArray(4, '\xFF')} << true << u"4294967295"_s;
    QTest::newRow("type 2, unknown reference kept")
        << Value{reg::RegExpandSz, text("%NoSuchName%\\x").bytes} << true << u"%NoSuchName%\\x"_s;
    QTest::newRow("type 3") << Value{reg::RegBinary, "abc"} << false << u""_s;
    QTest::newRow("type 11 (64-bit number)") << Value{11, QByteArray(8, '\x01')} << false << u""_s;
    QTest::newRow("size 0") << Value{reg::RegSz, QByteArray()} << true << u""_s;
    QTest::newRow("missing value") << Value{} << false << u""_s;
}

void TestFrmAbout::getKeyValue()
{
    QFETCH(Value, value);
    QFETCH(bool, read);
    QFETCH(QString, keyVal);

    testing::Doubles doubles;
    testing::FakeRegistry registry;
    registry.addKey(sysInfoKey);
    if (value.type)
        registry.set(sysInfoKey, "PATH", value.type, bytes(value.bytes));
    testing::StandIn scope(reg::installedRegistry(), &registry);

    QString KeyVal = QStringLiteral("left from before");
    QCOMPARE(rt::form<frmAbout>().GetKeyValue(reg::HKeyLocalMachine, QString::fromStdString(sysInfoKey),
                                              QStringLiteral("PATH"), KeyVal),
             read);
    QCOMPARE(KeyVal, keyVal);
    QCOMPARE(registry.accessAsked, std::vector<std::uint32_t>{0x20019});
    QCOMPARE(registry.closes, 1);
}

QTEST_MAIN(TestFrmAbout)
#include "standin.h"
#include "tst_frmabout.moc"
