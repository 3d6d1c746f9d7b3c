// Shell, Dir, Format and MsgBox over the runtime's seams.
#include "doubles.h"
#include "functions.h"
#include "paths.h"
#include "runtimeerror.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using testing::here;

} // namespace

class TestFunctions : public QObject {
    Q_OBJECT
private slots:
    void format_data();
    void format();
    void shellStartsTheFileAsAProgram();
    void shellFailures_data();
    void shellFailures();
    void dirAnswersForExistingFilesOnly();
    void msgBoxIsTitledWithTheApplication();
};

void TestFunctions::format_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("error");

    QTest::newRow("three bytes of a stored number") << u"&h000102"_s << u"258"_s << 0;
    QTest::newRow("zero") << u"&h000000"_s << u"0"_s << 0;
    QTest::newRow("upper-case prefix and digits") << u"&H1F"_s << u"31"_s << 0;
    QTest::newRow("all 32 bits, unsigned") << u"&hFFFFFFFF"_s << u"4294967295"_s << 0;
    QTest::newRow("leading zeros beyond 32 bits") << u"&h0000000001"_s << u"1"_s << 0;
    QTest::newRow("wider than 32 bits") << u"&h0100000000"_s << u""_s << 6;
    QTest::newRow("no digits") << u"&h"_s << u"&h"_s << 0;
    QTest::newRow("not hexadecimal") << u"&hello"_s << u"&hello"_s << 0;
    QTest::newRow("sign") << u"&h-1"_s << u"&h-1"_s << 0;
    QTest::newRow("plain text") << u"C:\\Tools"_s << u"C:\\Tools"_s << 0;
    QTest::newRow("decimal text") << u"258"_s << u"258"_s << 0;
}

void TestFunctions::format()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QFETCH(int, error);
    try {
        QCOMPARE(rt::Format(text), expected);
        QCOMPARE(error, 0);
    } catch (const rt::RuntimeError &e) {
        QCOMPARE(e.number(), error);
    }
}

void TestFunctions::shellStartsTheFileAsAProgram()
{
    testing::Doubles doubles;
    rt::Shell(QStringLiteral("C:\\Program Files\\Tools\\\\x.exe"), rt::NormalFocus);
    rt::Shell(QStringLiteral("/opt/sys info;rm -rf ~"), rt::NormalFocus);
    QCOMPARE(doubles.launcher.started, QStringList({here(QStringLiteral("C:\\Program Files\\Tools\\\\x.exe")),
                                                    QStringLiteral("/opt/sys info;rm -rf ~")}));
}

void TestFunctions::shellFailures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("launcherWorks");
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("attempts");

    QTest::newRow("program that cannot start") << u"/no/such/program"_s << 1 << false << 53 << 1;
    QTest::newRow("empty path") << u""_s << 1 << true << 53 << 0;
    QTest::newRow("no such window style") << u"/bin/true"_s << 5 << true << 5 << 0;
}

void TestFunctions::shellFailures()
{
    QFETCH(QString, path);
    QFETCH(int, style);
    QFETCH(bool, launcherWorks);
    QFETCH(int, error);
    QFETCH(int, attempts);

    testing::Doubles doubles;
    doubles.launcher.succeeds = launcherWorks;
    try {
        rt::Shell(path, style);
        QFAIL("Shell returned");
    } catch (const rt::RuntimeError &e) {
        QCOMPARE(e.number(), error);
        if (error == 53)
            QCOMPARE(e.description(), QStringLiteral("File not found"));
    }
    QCOMPARE(doubles.launcher.started.size(), attempts);
}

void TestFunctions::dirAnswersForExistingFilesOnly()
{
    testing::Doubles doubles;
    doubles.files.files << here(QStringLiteral("C:\\Tools\\MSINFO32.EXE"));
    QCOMPARE(rt::Dir(QStringLiteral("C:\\Tools\\MSINFO32.EXE")), QStringLiteral("C:\\Tools\\MSINFO32.EXE"));
    QCOMPARE(rt::Dir(QStringLiteral("C:\\Tools\\OTHER.EXE")), QString());
    QCOMPARE(rt::Dir(QString()), QString());
}

void TestFunctions::msgBoxIsTitledWithTheApplication()
{
    testing::Doubles doubles;
    rt::MsgBox(QStringLiteral("Hello"));
    QCOMPARE(doubles.messages.shown.size(), std::size_t{1});
    QCOMPARE(doubles.messages.shown.front().text, QStringLiteral("Hello"));
    QCOMPARE(doubles.messages.shown.front().title, QStringLiteral("TEMPORIA"));
}

QTEST_MAIN(TestFunctions)
#include "tst_functions.moc"
