#include "calendar/dateinput.h"

#include "engine/calendar.h"
#include "engine/monthtext.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

using Reading = std::variant<DateInput, QString>;

constexpr int lastYear = 9999;
// Numbers stop growing here: more is as far out of range, and no int overflows.
constexpr int numberCap = 100000;
// A date has at most three numbers and a month's name; the reading stops at
// the first part more, however long the text.
constexpr std::size_t mostParts = 4;
// As much of the text as a message quotes, in characters.
constexpr qsizetype quotedLength = 20;

QString translated(const char *text)
{
    return QCoreApplication::translate("DateInput", text);
}

QString english(int month)
{
    const std::string_view name = engine::monthName[static_cast<std::size_t>(month - 1)];
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

int daysIn(int year, int month)
{
    return engine::dayCount(static_cast<std::int16_t>(month - 1), engine::isLeapYear(year));
}

// The text for a message: blanks run together, what cannot be shown as
// U+FFFD, and past `quotedLength` characters an ellipsis; never half a
// surrogate pair.
QString quoted(const QString &text)
{
    QString out;
    qsizetype characters = 0;
    bool blank = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isSpace()) {
            blank = true;
            continue;
        }
        if (characters + (blank ? 1 : 0) >= quotedLength) {
            out += QChar(0x2026);
            break;
        }
        if (blank) {
            out += QLatin1Char(' ');
            ++characters;
            blank = false;
        }
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            code = QChar::surrogateToUcs4(c, text.at(++i));
        if (!QChar::isPrint(code))
            code = QChar::ReplacementCharacter;
        out += QString::fromUcs4(&code, 1);
        ++characters;
    }
    return out;
}

// A number or a word of the text.
struct Part {
    bool number = false;
    QString word;         // as typed
    QString folded;       // the word case-folded, for comparing
    int value = 0;        // a number's value, at most numberCap
    qsizetype digits = 0; // digits as typed, leading zeros included
    bool ordinal = false; // "14th"

    // Written with three digits or more: a year, where the position does not say.
    [[nodiscard]] bool yearLike() const { return digits >= 3; }
};

bool isBlank(QChar c)
{
    return c.isSpace() || c.category() == QChar::Other_Format; // the direction marks of some locales' dates
}

bool isPunctuation(QChar c)
{
    return c == QLatin1Char('.') || c == QLatin1Char(',') || c == QLatin1Char('/') || c == QLatin1Char('-');
}

bool isOrdinalSuffix(const QString &folded)
{
    return folded == QLatin1String("st") || folded == QLatin1String("nd") || folded == QLatin1String("rd")
           || folded == QLatin1String("th");
}

// The numbers and words of `text` (NFC) between blanks and punctuation, or
// none when it holds anything else or more parts than a date has.
std::optional<std::vector<Part>> partsOf(const QString &text)
{
    std::vector<Part> parts;
    bool separated = true;
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        const QChar c = text.at(i);
        if (isBlank(c) || isPunctuation(c)) {
            separated = true;
            ++i;
            continue;
        }
        Part part;
        if (c.isDigit()) {
            part.number = true;
            for (; i < size && text.at(i).isDigit(); ++i) {
                part.value = std::min(numberCap, part.value * 10 + std::clamp(text.at(i).digitValue(), 0, 9));
                ++part.digits;
            }
        } else if (c.isLetter()) {
            const qsizetype start = i;
            while (i < size && (text.at(i).isLetter() || text.at(i).isMark()))
                ++i;
            part.word = text.mid(start, i - start);
            part.folded = part.word.toCaseFolded();
            if (!separated && !parts.empty() && parts.back().number && !parts.back().ordinal
                && isOrdinalSuffix(part.folded)) {
                parts.back().ordinal = true;
                continue;
            }
        } else {
            return std::nullopt;
        }
        if (parts.size() == mostParts)
            return std::nullopt;
        parts.push_back(part);
        separated = false;
    }
    return parts;
}

// The months' names a word may be: English and the locale's, in full or
// shortened to three letters or more, and the locale's own abbreviations.
class MonthNames {
public:
    explicit MonthNames(const QLocale &locale)
    {
        for (int month = 1; month <= 12; ++month) {
            add(english(month), month, true);
            add(locale.monthName(month, QLocale::LongFormat), month, true);
            add(locale.standaloneMonthName(month, QLocale::LongFormat), month, true);
            add(locale.monthName(month, QLocale::ShortFormat), month, false);
            add(locale.standaloneMonthName(month, QLocale::ShortFormat), month, false);
        }
    }

    // The months `folded` names, one bit each (bit 0 January).
    [[nodiscard]] unsigned match(const QString &folded) const
    {
        unsigned months = 0;
        for (const Name &name : m_names) {
            if (folded == name.folded || (name.whole && folded.size() >= 3 && name.folded.startsWith(folded)))
                months |= 1U << (name.month - 1);
        }
        return months;
    }

private:
    struct Name {
        QString folded;
        int month;
        bool whole; // its beginning names the month too
    };

    void add(const QString &name, int month, bool whole)
    {
        QString folded = name.normalized(QString::NormalizationForm_C).toCaseFolded();
        if (folded.endsWith(QLatin1Char('.')))
            folded.chop(1);
        if (!folded.isEmpty())
            m_names.push_back({folded, month, whole});
    }

    std::vector<Name> m_names;
};

// Where the locale's short date format puts the day, the month and the year.
struct NumericOrder {
    bool yearFirst = false;
    bool monthFirst = false; // the month before the day
};

NumericOrder numericOrder(const QLocale &locale)
{
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    qsizetype day = -1;
    qsizetype month = -1;
    qsizetype year = -1;
    bool literal = false; // within quotes
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\''))
            literal = !literal;
        else if (literal)
            continue;
        else if (c == QLatin1Char('d') && day < 0)
            day = i;
        else if (c == QLatin1Char('M') && month < 0)
            month = i;
        else if (c == QLatin1Char('y') && year < 0)
            year = i;
    }
    if (day < 0 || month < 0 || year < 0)
        return {};
    return {year < day && year < month, month < day};
}

// The answers for one text, each a date or the reason, the text quoted.
class Answers {
public:
    explicit Answers(const QString &typed)
        : m_quoted(quoted(typed))
    {
    }

    [[nodiscard]] Reading notADate() const
    {
        return translated("\u201C%1\u201D: not a date; type one such as 14 July 1789 or 1789-07-14").arg(m_quoted);
    }

    [[nodiscard]] Reading notAMonth(const QString &word) const
    {
        return translated("\u201C%1\u201D: \u201C%2\u201D is not a month's name").arg(m_quoted, quoted(word));
    }

    [[nodiscard]] Reading severalMonths(const QString &word, unsigned months) const
    {
        QStringList names;
        for (int month = 1; month <= 12; ++month) {
            if ((months & (1U << (month - 1))) != 0)
                names << english(month);
        }
        return translated("\u201C%1\u201D: \u201C%2\u201D could be %3")
            .arg(m_quoted, quoted(word), names.join(translated(" or ")));
    }

    [[nodiscard]] std::optional<QString> yearProblem(int year) const
    {
        if (year < 0 || year > lastYear)
            return translated("\u201C%1\u201D: years run from 0 to 9999").arg(m_quoted);
        return std::nullopt;
    }

    [[nodiscard]] std::optional<QString> monthProblem(int month) const
    {
        if (month >= 1 && month <= 12)
            return std::nullopt;
        if (month >= numberCap)
            return translated("\u201C%1\u201D: months run from 1 to 12").arg(m_quoted);
        return translated("\u201C%1\u201D: there is no month %2").arg(m_quoted, QString::number(month));
    }

    [[nodiscard]] Reading year(int year) const
    {
        if (auto problem = yearProblem(year))
            return *problem;
        return DateInput{DateInput::Kind::Year, year, 1, 1};
    }

    [[nodiscard]] Reading month(int year, int month) const
    {
        if (auto problem = yearProblem(year))
            return *problem;
        if (auto problem = monthProblem(month))
            return *problem;
        return DateInput{DateInput::Kind::Month, year, month, 1};
    }

    [[nodiscard]] Reading day(int year, int month, int day) const
    {
        if (auto problem = yearProblem(year))
            return *problem;
        if (auto problem = monthProblem(month))
            return *problem;
        if (day == 0)
            return translated("\u201C%1\u201D: there is no day 0").arg(m_quoted);
        const int days = daysIn(year, month);
        if (day > days) {
            // February's length is the year's; the other months' are always the same.
            const QString which =
                month == 2 ? english(month) + QLatin1Char(' ') + QString::number(year) : english(month);
            return translated("\u201C%1\u201D: %2 has %3 days").arg(m_quoted, which, QString::number(days));
        }
        return DateInput{DateInput::Kind::Day, year, month, day};
    }

    // Day and month in either order: the locale's if it gives a date, else the
    // other's; giving none, the reason of the first with a month that exists.
    [[nodiscard]] Reading dayAndMonth(int year, const Part &first, const Part &second, bool monthFirst) const
    {
        const int preferredMonth = monthFirst ? first.value : second.value;
        const int otherMonth = monthFirst ? second.value : first.value;
        Reading preferred = day(year, preferredMonth, monthFirst ? second.value : first.value);
        if (std::holds_alternative<DateInput>(preferred))
            return preferred;
        Reading other = day(year, otherMonth, monthFirst ? first.value : second.value);
        if (std::holds_alternative<DateInput>(other) || (monthProblem(preferredMonth) && !monthProblem(otherMonth)))
            return other;
        return preferred;
    }

private:
    QString m_quoted;
};

// Numbers alone: a year; a month and a year, or a day and a month; a whole date.
Reading numbers(const Answers &answers, const std::vector<Part> &parts, const QLocale &locale, int todayYear)
{
    if (std::any_of(parts.begin(), parts.end(), [](const Part &p) { return p.ordinal; }))
        return answers.notADate();
    const NumericOrder order = numericOrder(locale);
    if (parts.size() == 1)
        return answers.year(parts[0].value);
    const Part &a = parts[0];
    const Part &b = parts[1];
    if (parts.size() == 2) {
        if (a.yearLike() && !b.yearLike())
            return answers.month(a.value, b.value);
        if (b.yearLike() && !a.yearLike())
            return answers.month(b.value, a.value);
        if (!a.yearLike() && !b.yearLike())
            return answers.dayAndMonth(todayYear, a, b, order.monthFirst);
        return answers.notADate();
    }
    const Part &c = parts[2];
    // The year stands first or last.
    if ((b.yearLike() && !a.yearLike() && !c.yearLike()) || (a.yearLike() && c.yearLike()))
        return answers.notADate();
    const bool yearFirst = a.yearLike() || (!c.yearLike() && order.yearFirst);
    if (yearFirst)
        return answers.day(a.value, b.value, c.value);
    return answers.dayAndMonth(c.value, a, b, order.monthFirst);
}

// A month's name with up to two numbers around it.
Reading named(const Answers &answers, const std::vector<Part> &parts, int month, int todayYear)
{
    // A year is a plain number: "1789th" is none.
    const auto inYear = [&](const Part &year, auto &&answer) {
        return year.ordinal ? answers.notADate() : answer(year.value);
    };
    if (parts.size() == 1) // "March"
        return answers.month(todayYear, month);
    if (parts.size() == 2) { // "July 1789", "1789 July"; "July 14", "14th July"
        const Part &number = parts[0].number ? parts[0] : parts[1];
        if (number.yearLike())
            return inYear(number, [&](int year) { return answers.month(year, month); });
        return answers.day(todayYear, month, number.value);
    }
    const Part &a = parts[0];
    const Part &b = parts[1];
    const Part &c = parts[2];
    // One year, where the form has it.
    if (!a.number) { // "July 14, 1789"
        if (b.yearLike())
            return answers.notADate();
        return inYear(c, [&](int year) { return answers.day(year, month, b.value); });
    }
    if (a.yearLike()) { // "1789. július 14."
        if (c.yearLike())
            return answers.notADate();
        return inYear(a, [&](int year) { return answers.day(year, month, c.value); });
    }
    return inYear(c, [&](int year) { return answers.day(year, month, a.value); }); // "14 July 1789"
}

// The order of numbers (N) and words (W).
QString shape(const std::vector<Part> &parts)
{
    QString out;
    for (const Part &p : parts)
        out += QLatin1Char(p.number ? 'N' : 'W');
    return out;
}

} // namespace

std::variant<DateInput, QString> readDate(const QString &text, const QLocale &locale, int todayYear, int todayMonth,
                                          int todayDay)
{
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return translated("Type a date, such as 14 July 1789 or 1789-07-14");
    const Answers answers(typed);

    // A minus before a year: a year before 0.
    const QChar first = typed.front();
    if ((first == QLatin1Char('-') || first == QChar(0x2212)) && typed.size() > 1
        && std::all_of(typed.begin() + 1, typed.end(), [](QChar c) { return c.isDigit(); }))
        return *answers.yearProblem(-1);
    // Punctuation between the parts, and a dot after the last ("14. 7."), no more.
    const auto lastShown = std::find_if(typed.rbegin(), typed.rend(), [](QChar c) { return !isBlank(c); });
    const auto firstShown = std::find_if(typed.begin(), typed.end(), [](QChar c) { return !isBlank(c); });
    if (firstShown == typed.end() || isPunctuation(*firstShown)
        || (isPunctuation(*lastShown) && *lastShown != QLatin1Char('.')))
        return answers.notADate();

    const std::optional<std::vector<Part>> parts = partsOf(typed.normalized(QString::NormalizationForm_C));
    if (!parts || parts->empty())
        return answers.notADate();
    const QString form = shape(*parts);
    if (!form.contains(QLatin1Char('W')))
        return numbers(answers, *parts, locale, todayYear);

    if (form == QLatin1String("W")) {
        const QString &word = parts->front().folded;
        if (word == QLatin1String("today") || word == translated("today").toCaseFolded())
            return DateInput{DateInput::Kind::Day, todayYear, todayMonth, todayDay};
    }
    static const std::array<QLatin1String, 5> namedForms{QLatin1String("W"), QLatin1String("WN"), QLatin1String("NW"),
                                                         QLatin1String("NWN"), QLatin1String("WNN")};
    if (std::find(namedForms.begin(), namedForms.end(), form) == namedForms.end())
        return answers.notADate();
    const Part &word = *std::find_if(parts->begin(), parts->end(), [](const Part &p) { return !p.number; });
    const unsigned months = MonthNames(locale).match(word.folded);
    if (months == 0) {
        // Beside numbers, a word of some length was meant as a month.
        if (form.size() > 1 && word.folded.size() >= 3)
            return answers.notAMonth(word.word);
        return answers.notADate();
    }
    if ((months & (months - 1)) != 0)
        return answers.severalMonths(word.word, months);
    const int month = std::countr_zero(months) + 1;
    return named(answers, *parts, month, todayYear);
}
