// Dates as people type them, read in a few locales: what each form gives,
// why the others give none, and the fuzzer's inputs replayed.
#include "calendar/dateinput.h"
#include "dateinputcheck.h"

#include <QDir>
#include <QTest>

namespace {

// Today, for "today" and a day or month without a year.
constexpr int todayYear = 2026;
constexpr int todayMonth = 6;
constexpr int todayDay = 15;

std::variant<DateInput, QString> read(const QString &text, const QString &locale)
{
    return readDate(text, QLocale(locale), todayYear, todayMonth, todayDay);
}

} // namespace

Q_DECLARE_METATYPE(DateInput::Kind)

class TestDateInput : public QObject {
    Q_OBJECT
private slots:
    void accepted_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<DateInput::Kind>("kind");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        const auto day = DateInput::Kind::Day;
        const auto month = DateInput::Kind::Month;
        const auto year = DateInput::Kind::Year;
        // Names, English in every locale, in any case, blanks around.
        QTest::newRow("ISO") << "1789-07-14"
                             << "C" << day << 1789 << 7 << 14;
        QTest::newRow("day first, blanks, capitals") << " \t14 JULY 1789 "
                                                     << "C" << day << 1789 << 7 << 14;
        QTest::newRow("month first, comma") << "July 14, 1789"
                                            << "en_US" << day << 1789 << 7 << 14;
        QTest::newRow("three letters") << "14 jul 1789"
                                       << "de_DE" << day << 1789 << 7 << 14;
        QTest::newRow("longer beginning") << "1 Sept 1752"
                                          << "C" << day << 1752 << 9 << 1;
        QTest::newRow("ordinal") << "July 4th, 1776"
                                 << "C" << day << 1776 << 7 << 4;
        QTest::newRow("German") << "14. Juli 1789"
                                << "de_DE" << day << 1789 << 7 << 14;
        QTest::newRow("German umlaut, capitals") << "1 MÄRZ 2000"
                                                 << "de_DE" << day << 2000 << 3 << 1;
        QTest::newRow("French") << "14 juillet 1789"
                                << "fr_FR" << day << 1789 << 7 << 14;
        QTest::newRow("French abbreviation, dot") << "14 juil. 1789"
                                                  << "fr_FR" << day << 1789 << 7 << 14;
        QTest::newRow("French accent") << "29 févr. 2000"
                                       << "fr_FR" << day << 2000 << 2 << 29;
        QTest::newRow("Hungarian, year first") << "1789. július 14."
                                               << "hu_HU" << day << 1789 << 7 << 14;
        // Numbers: the locale's order where both orders give a date, else the one that does.
        QTest::newRow("dots, day first") << "14.7.1789"
                                         << "de_DE" << day << 1789 << 7 << 14;
        QTest::newRow("US, month first") << "3/4/1789"
                                         << "en_US" << day << 1789 << 3 << 4;
        QTest::newRow("French, day first") << "3/4/1789"
                                           << "fr_FR" << day << 1789 << 4 << 3;
        QTest::newRow("C, day first") << "3/4/1789"
                                      << "C" << day << 1789 << 4 << 3;
        QTest::newRow("US, only day first is a date") << "14/7/1789"
                                                      << "en_US" << day << 1789 << 7 << 14;
        QTest::newRow("French, only month first is") << "7/14/1789"
                                                     << "fr_FR" << day << 1789 << 7 << 14;
        QTest::newRow("year first by its digits") << "1789/7/14"
                                                  << "en_US" << day << 1789 << 7 << 14;
        QTest::newRow("short year last") << "14.7.89"
                                         << "de_DE" << day << 89 << 7 << 14;
        QTest::newRow("short year first, Swedish") << "89-7-14"
                                                   << "sv_SE" << day << 89 << 7 << 14;
        QTest::newRow("day and month, this year") << "14.7."
                                                  << "de_DE" << day << todayYear << 7 << 14;
        QTest::newRow("name and day, this year") << "July 14"
                                                 << "C" << day << todayYear << 7 << 14;
        QTest::newRow("today") << "Today"
                               << "fr_FR" << day << todayYear << todayMonth << todayDay;
        // Leap years: 2000 is one, 3200 is not.
        QTest::newRow("29 February 2000") << "2000-02-29"
                                          << "C" << day << 2000 << 2 << 29;
        QTest::newRow("28 February 3200") << "28 February 3200"
                                          << "C" << day << 3200 << 2 << 28;
        // Months and years.
        QTest::newRow("month name and year") << "July 1789"
                                             << "C" << month << 1789 << 7 << 1;
        QTest::newRow("French month and year") << "Juillet 1789"
                                               << "fr_FR" << month << 1789 << 7 << 1;
        QTest::newRow("ISO month") << "1789-07"
                                   << "C" << month << 1789 << 7 << 1;
        QTest::newRow("month/year") << "7/1789"
                                    << "en_US" << month << 1789 << 7 << 1;
        QTest::newRow("month, year of three digits") << "Feb 033"
                                                     << "C" << month << 33 << 2 << 1;
        QTest::newRow("month alone, this year") << "März"
                                                << "de_DE" << month << todayYear << 3 << 1;
        QTest::newRow("year") << "1789"
                              << "C" << year << 1789 << 1 << 1;
        QTest::newRow("year 0") << "0"
                                << "C" << year << 0 << 1 << 1;
        QTest::newRow("year, leading zeros") << "0033"
                                             << "C" << year << 33 << 1 << 1;
        QTest::newRow("year 9999") << "9999"
                                   << "C" << year << 9999 << 1 << 1;
    }
    void accepted()
    {
        QFETCH(QString, text);
        QFETCH(QString, locale);
        QFETCH(DateInput::Kind, kind);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        const auto reading = read(text, locale);
        if (const auto *reason = std::get_if<QString>(&reading))
            QFAIL(qPrintable(*reason));
        QCOMPARE(std::get<DateInput>(reading), (DateInput{kind, year, month, day}));
    }

    void rejected_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("reason");
        const QString example = "type one such as 14 July 1789 or 1789-07-14";
        QTest::newRow("empty") << ""
                               << "C"
                               << "Type a date, such as 14 July 1789 or 1789-07-14";
        QTest::newRow("blanks") << " \t "
                                << "C"
                                << "Type a date, such as 14 July 1789 or 1789-07-14";
        QTest::newRow("a word") << "frobnicate"
                                << "C"
                                << "“frobnicate”: not a date; " + example;
        QTest::newRow("too many parts") << "14 July 1789 12"
                                        << "C"
                                        << "“14 July 1789 12”: not a date; " + example;
        QTest::newRow("two years") << "1789/1790"
                                   << "C"
                                   << "“1789/1790”: not a date; " + example;
        QTest::newRow("dash after") << "1789-07-"
                                    << "C"
                                    << "“1789-07-”: not a date; " + example;
        QTest::newRow("ordinal year") << "July 1789th"
                                      << "C"
                                      << "“July 1789th”: not a date; " + example;
        QTest::newRow("quoted short, blanks as one") << "14 July 1789   and then some more"
                                                     << "C"
                                                     << "“14 July 1789 and the…”: not a date; " + example;
        QTest::newRow("not a month") << "14 Jully 1789"
                                     << "C"
                                     << "“14 Jully 1789”: “Jully” is not a month's name";
        QTest::newRow("German name in English") << "14 Juli 1789"
                                                << "C"
                                                << "“14 Juli 1789”: “Juli” is not a month's name";
        QTest::newRow("two months") << "jui 1789"
                                    << "fr_FR"
                                    << "“jui 1789”: “jui” could be June or July";
        QTest::newRow("short month") << "31 June 1789"
                                     << "C"
                                     << "“31 June 1789”: June has 30 days";
        QTest::newRow("day 0") << "0 July 1789"
                               << "C"
                               << "“0 July 1789”: there is no day 0";
        QTest::newRow("month 13") << "1789-13-01"
                                  << "C"
                                  << "“1789-13-01”: there is no month 13";
        QTest::newRow("month 0") << "0/1789"
                                 << "C"
                                 << "“0/1789”: there is no month 0";
        QTest::newRow("huge month") << "1789-999999-01"
                                    << "C"
                                    << "“1789-999999-01”: months run from 1 to 12";
        QTest::newRow("year 10000") << "10000"
                                    << "C"
                                    << "“10000”: years run from 0 to 9999";
        QTest::newRow("huge year") << "99999999999999999999"
                                   << "C"
                                   << "“99999999999999999999”: years run from 0 to 9999";
        QTest::newRow("year before 0") << "-44"
                                       << "C"
                                       << "“-44”: years run from 0 to 9999";
        QTest::newRow("3200 is common") << "29 February 3200"
                                        << "C"
                                        << "“29 February 3200”: February 3200 has 28 days";
        QTest::newRow("1900 is common, the order with a month") << "29/2/1900"
                                                                << "en_US"
                                                                << "“29/2/1900”: February 1900 has 28 days";
        QTest::newRow("this year's February") << "29 Feb"
                                              << "C"
                                              << "“29 Feb”: February 2026 has 28 days";
        QTest::newRow("no month either way") << "13/13/1789"
                                             << "en_US"
                                             << "“13/13/1789”: there is no month 13";
    }
    void rejected()
    {
        QFETCH(QString, text);
        QFETCH(QString, locale);
        QFETCH(QString, reason);
        const auto reading = read(text, locale);
        QVERIFY2(std::holds_alternative<QString>(reading), qPrintable(text));
        QCOMPARE(std::get<QString>(reading), reason);
    }

    // The inputs the fuzzer kept (scripts/fuzz.sh dateinput), each giving a
    // date or a reason.
    void corpus_data()
    {
        QTest::addColumn<QString>("path");
        const QDir corpus(QStringLiteral(CORPUS_DIR));
        for (const QString &name : corpus.entryList(QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(name)) << corpus.filePath(name);
    }
    void corpus()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString problem = testing::dateInputProblem(file.readAll());
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
    void corpusIsThere() { QVERIFY(QDir(QStringLiteral(CORPUS_DIR)).entryList(QDir::Files).size() >= 10); }
};

QTEST_GUILESS_MAIN(TestDateInput)
#include "tst_dateinput.moc"
