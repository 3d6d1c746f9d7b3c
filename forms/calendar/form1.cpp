#include "form1.h"

#include "browser/frmbrowser.h"
#include "calendar/dategoto.h"
#include "calendar/dayfacts.h"
#include "calendar/monthactions.h"
#include "calendar/monthsteps.h"
#include "calendar/weekcolumn.h"
#include "engine/calendar.h"
#include "shell/mdiform1.h"

#include <QApplication>

using rt::color;
using rt::twipsRect;
using namespace rt::colours;

namespace {

QStringList monthNames()
{
    return {QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
            QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("Jun"),
            QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
            QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
}

// "", "1" ... "31", made once so that a drawing allocates nothing.
const std::array<QString, 32> &dayTexts()
{
    static const std::array<QString, 32> texts = [] {
        std::array<QString, 32> t;
        for (int day = 0; day < 32; ++day) {
            const std::string_view text = engine::dayText(day);
            t[static_cast<std::size_t>(day)] = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
        }
        return t;
    }();
    return texts;
}

QFont titleFont()
{
    return rt::font(QStringLiteral("Times New Roman"), 9.75, true);
}

} // namespace

Form1::Form1()
{
    // A fixed tool window without a control box: it has no close button of
    // its own and keeps the size of its grid.
    setBorderStyle(rt::BorderStyle::FixedToolWindow);
    setControlBox(false);
}

void Form1::prepareLoad()
{
    if (rt::isLoaded<Form1>())
        return;
    // The window's controls, built out of sight; the load puts them in their
    // window and runs Form_Load when the start-up order reaches it.
    rt::prepareForm<Form1>();
    rt::prepareText(titleFont(), QStringLiteral("MONTH MILLENIUM CENTURY DECADE YEAR"));
    QString texts = QStringLiteral("TEMPORIA Temporia SON MON TUE WED THR FRI SAT 0123456789");
    for (const QString &month : monthNames())
        texts += QLatin1Char(' ') + month;
    rt::prepareText(QApplication::font(), texts);
}

rt::MdiForm *Form1::mdiFrame()
{
    return &rt::form<MDIForm1>();
}

void Form1::createControls()
{
    QWidget *w = client();
    setCaption(QStringLiteral("TEMPORIA"));
    setClientSize(m_clientWidth, 4755);
    // Near the frame's top-left corner, leaving the photograph in view.
    setPosition(900, 1395);

    const QFont titles = titleFont();
    auto title = [&](const QString &caption, int left, int top, int width, int height) {
        auto *label = new rt::Label(caption, w);
        label->setGeometry(twipsRect(left, top, width, height));
        label->setFont(titles);
        label->setAutoSize(true);
        return label;
    };
    rt::Label *Label2 = title(QStringLiteral("MONTH"), 240, 240, 705, 225);
    rt::Label *Label3 = title(QStringLiteral("MILLENIUM"), 1440, 240, 1050, 225);
    rt::Label *Label4 = title(QStringLiteral("CENTURY"), 2640, 240, 870, 225);
    rt::Label *Label5 = title(QStringLiteral("DECADE"), 3720, 240, 750, 225);
    rt::Label *Label6 = title(QStringLiteral("YEAR"), 4800, 240, 495, 225);

    // A screen reader names each selector by the title above it (some
    // systems read the label, others the accessible name) and then reads
    // what it holds.
    auto selector = [&](const QString &name, rt::Label *titleLabel, const QString &accessibleName,
                        const QString &description, int left, int width, int tabIndex, const QStringList &items) {
        auto *combo = new rt::ComboBox(w);
        combo->setObjectName(name);
        combo->setSlimDropDownButton(true);
        titleLabel->setBuddy(combo);
        combo->setAccessibleName(accessibleName);
        combo->setAccessibleDescription(description);
        combo->setGeometry(twipsRect(left, 480, width, 315));
        for (const QString &item : items)
            combo->AddItem(item);
        combo->setListIndex(-1); // empty until Form_Load fills it
        setTabIndex(combo, tabIndex);
        return combo;
    };
    const QStringList digits{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                             QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"),
                             QStringLiteral("8"), QStringLiteral("9")};
    monthc = selector(QStringLiteral("monthc"), Label2, QStringLiteral("Month"), QStringLiteral("Month to show"), 120,
                      1095, 35, monthNames());
    millenium = selector(QStringLiteral("millenium"), Label3, QStringLiteral("Millenium"),
                         QStringLiteral("Thousands digit of the year"), 1680, 615, 36, digits);
    century = selector(QStringLiteral("century"), Label4, QStringLiteral("Century"),
                       QStringLiteral("Hundreds digit of the year"), 2760, 615, 37, digits);
    decade = selector(QStringLiteral("decade"), Label5, QStringLiteral("Decade"),
                      QStringLiteral("Tens digit of the year"), 3720, 615, 38, digits);
    yearc = selector(QStringLiteral("yearc"), Label6, QStringLiteral("Year"), QStringLiteral("Units digit of the year"),
                     4680, 615, 39, digits);

    // Neither default nor cancel button: Enter and Esc elsewhere leave it alone.
    go = new rt::CommandButton(QStringLiteral("&Temporia"), w);
    go->setObjectName(QStringLiteral("go"));
    go->setGeometry(twipsRect(1920, 840, 855, 375));
    go->setAccessibleDescription(QStringLiteral("Shows the chosen month in the grid"));
    setTabIndex(go, 40);
    on(go, &QPushButton::clicked, [this] { go_Click(); });

    // The header array's index is not its column: Label1(0) heads Sunday.
    struct Header {
        const char *caption;
        const char *day; // what a screen reader says for the short caption
        int left;
        std::uint32_t foreColor;
    };
    constexpr std::array<Header, 7> headers{{
        {"SON", "Sunday", 3840, red},
        {"MON", "Monday", 240, blue},
        {"TUE", "Tuesday", 840, blue},
        {"WED", "Wednesday", 1440, blue},
        {"THR", "Thursday", 2040, blue},
        {"FRI", "Friday", 2640, blue},
        {"SAT", "Saturday", 3240, darkBlue},
    }};
    for (std::size_t i = 0; i < headers.size(); ++i) {
        auto *label = new rt::Label(QString::fromLatin1(headers[i].caption), w);
        label->setAccessibleName(QString::fromLatin1(headers[i].day));
        label->setGeometry(twipsRect(headers[i].left, 1320, 615, 375));
        label->setFixedSingleBorder();
        label->setBackColor(color(highlightedText));
        label->setForeColor(color(headers[i].foreColor));
        Label1[i] = label;
    }

    // Cell n: row n / 7, column n % 7 (Monday first); neighbours overlap by
    // 15 twips so that their borders meet. A screen reader says where a cell
    // stands ("Tuesday, row 1": the grid's row, the week of the year being
    // the week column's and the day's description's) and then the day it
    // shows; where stays the same for every month, so it is said here once,
    // not at each drawing.
    for (int n = 0; n < 42; ++n) {
        auto *cell = new rt::TextBox(w);
        cell->setObjectName(QStringLiteral("text1(%1)").arg(n));
        cell->setAccessibleName(QStringLiteral("%1, row %2")
                                    .arg(QString::fromLatin1(headers[static_cast<std::size_t>(n % 7 + 1) % 7].day))
                                    .arg(n / 7 + 1));
        cell->setGeometry(twipsRect(240 + 600 * (n % 7), 1680 + 480 * (n / 7), 615, 495));
        cell->setForeColor(color(n % 7 == 6 ? red : n == 5 ? darkBlue : blue));
        // The Friday cells of the last three rows take typing; the next drawing overwrites it.
        cell->setLocked(n != 25 && n != 32 && n != 39);
        setTabIndex(cell, n <= 34 ? n : n + 6);
        text1[static_cast<std::size_t>(n)] = cell;
    }

    // Copy, print and the grid's context menu; steps by key and wheel; going
    // to a typed date; the week numbers, shown as the person last chose.
    new MonthActions(*this);
    new MonthSteps(*this);
    new DateGoto(*this);
    m_weekColumn = new WeekColumn(*this);
    m_weekColumn->setShown(rt::services().preferences->weekNumbers());
    // What each day is, in its cell's tooltip and description.
    auto *facts = new DayFacts(*this);
    on(this, &Form1::drawn, [facts] { facts->update(); });

    // Today's mark follows the date: at midnight, and when the system's
    // date, time or time zone is set; and with it, how far each day is.
    on(new rt::DateWatch(this), &rt::DateWatch::dateMayHaveChanged, [this, facts] {
        m_today = rt::services().date->today();
        markToday();
        facts->update();
    });
}

void Form1::Form_Load()
{
    const QDate today = rt::services().date->today();
    const int Y = today.year();
    const int M = today.month();

    const QStringList months = monthNames();
    monthc->setText(months.at(M - 1));
    millenium->setText(QString::number(Y / 1000));
    century->setText(QString::number(Y / 100 % 10));
    decade->setListIndex(Y / 10 % 10);
    yearc->setListIndex(Y % 10);
    millenium->setListIndex(Y / 1000);
    century->setListIndex(Y / 100 % 10);
    monthc->setListIndex(M - 1);
    // As the button draws, with the date just read.
    draw(today);
}

QList<QWidget *> Form1::focusableControls() const
{
    QList<QWidget *> controls{monthc, millenium, century, decade, yearc, go};
    for (rt::TextBox *cell : text1)
        controls << cell;
    return controls;
}

QList<QWidget *> Form1::gridParts() const
{
    QList<QWidget *> parts;
    for (rt::TextBox *cell : text1)
        parts << cell;
    for (rt::Label *header : Label1)
        parts << header;
    return parts;
}

void Form1::showMonth(int year, int month)
{
    const engine::Selection s = engine::selectionOf(year, month);
    millenium->setListIndex(s.thousands);
    century->setListIndex(s.hundreds);
    decade->setListIndex(s.tens);
    yearc->setListIndex(s.units);
    monthc->setListIndex(s.month);
    go_Click();
}

void Form1::widenBy(int twips)
{
    m_clientWidth += twips;
    setClientSize(m_clientWidth, 4755);
}

engine::Date Form1::today() const
{
    const QDate today = m_today.isValid() ? m_today : rt::services().date->today();
    return {today.year(), today.month(), today.day()};
}

void Form1::chooseDay(const engine::Date &day)
{
    if (!engine::isValid(day))
        return;
    m_chosen = day;
    showMonth(day.year, day.month);
    dayCell(m_shownStartCell + day.day - 1)->setFocus(Qt::OtherFocusReason);
}

bool Form1::weekNumbersShown() const
{
    return m_weekColumn->isShown();
}

void Form1::showWeekNumbers(bool shown)
{
    rt::services().preferences->setWeekNumbers(shown);
    m_weekColumn->setShown(shown);
}

void Form1::Form_Unload(std::int16_t &Cancel)
{
    (void)Cancel;
    rt::form<frmBrowser>().setVisible(true);
}

void Form1::isleap(int year)
{
    leap = engine::isLeapYear(year) ? 1 : 0;
}

rt::ComboBox *Form1::firstUnselected() const
{
    for (rt::ComboBox *combo : {monthc, millenium, century, decade, yearc}) {
        if (combo->ListIndex() < 0)
            return combo;
    }
    return nullptr;
}

QString Form1::whyUnselected(const rt::ComboBox *combo) const
{
    QStringList items;
    for (int i = 0; i < combo->ListCount(); ++i)
        items << combo->List(i);
    QString choose =
        QStringLiteral("Choose a %1 from the list: %2.")
            .arg(combo == monthc ? QStringLiteral("month") : QStringLiteral("digit"), items.join(QStringLiteral(", ")));
    // As typed, blanks included (" 7 " is no item); enough of it to
    // recognise, the box itself holds the rest.
    QString typed = combo->Text();
    if (typed.isEmpty())
        return choose;
    constexpr qsizetype shown = 20;
    if (typed.size() > shown)
        typed = typed.left(shown) + QChar(0x2026);
    return QStringLiteral("\u201C%1\u201D is not in the list. %2").arg(typed, choose);
}

void Form1::go_Click()
{
    // Typed text that names no item: keep the month on screen, show where
    // the selection is missing and say why, beside it ("June" is "Jun" there).
    if (rt::ComboBox *missing = firstUnselected()) {
        missing->setFocus(Qt::OtherFocusReason);
        missing->lineEdit()->selectAll();
        rt::services().messages->beep();
        rt::Balloon::show(missing, whyUnselected(missing));
        return;
    }
    // Today as of this drawing: a clock set without the system saying so
    // (or a watch that missed it) is caught up with here at the latest.
    draw(rt::services().date->today());
}

void Form1::draw(const QDate &today)
{
    const engine::Selection s{millenium->ListIndex(), century->ListIndex(), decade->ListIndex(), yearc->ListIndex(),
                              monthc->ListIndex()};
    const std::int16_t first = engine::firstWeekday(s);
    leap = engine::yearNumber(s);
    isleap(leap);
    const std::int16_t days = engine::dayCount(s.month, leap != 0);
    leap = engine::leapShift(s.month, leap != 0);

    // Every cell is written exactly once: blank outside the month, day d in
    // cell start + d - 1 (2024-04: the shift makes Monday cell 7, row 0 stays empty).
    const engine::MonthLayout month{static_cast<std::int16_t>(first - 1 + leap), days, leap};
    for (int n = 0; n < engine::cellCount; ++n)
        text1[static_cast<std::size_t>(n)]->setText(dayTexts()[static_cast<std::size_t>(month.dayAt(n))]);
    m_shownYear = engine::yearNumber(s);
    m_shownStartCell = month.startCell;
    m_shownMonth = s.month + 1;
    m_today = today;
    markToday();
    markChosen();
    m_weekColumn->update();
    emit drawn();
}

void Form1::markToday()
{
    int todayCell = -1;
    if (m_today.year() == m_shownYear && m_today.month() == m_shownMonth)
        todayCell = m_shownStartCell + m_today.day() - 1;
    for (int n = 0; n < engine::cellCount; ++n)
        text1[static_cast<std::size_t>(n)]->setMarked(n == todayCell, QStringLiteral("today"));
}

void Form1::markChosen()
{
    int chosenCell = -1;
    if (m_chosen && m_chosen->year == m_shownYear && m_chosen->month == m_shownMonth)
        chosenCell = m_shownStartCell + m_chosen->day - 1;
    for (int n = 0; n < engine::cellCount; ++n)
        text1[static_cast<std::size_t>(n)]->setChosen(n == chosenCell, QStringLiteral("chosen day"));
}
