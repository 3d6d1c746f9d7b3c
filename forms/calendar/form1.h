// The calendar window: five selectors (month and the year's four digits), the
// button and a six-by-seven grid of day cells, weeks running Monday to Sunday.
// It draws with the calendar engine (engine/) and lives inside the main frame
// (forms/shell), which it reaches through the frame's default instance.
// Copying and printing the month it shows live in monthactions.h, stepping
// through months by key and wheel in monthsteps.h, the week numbers beside
// the grid in weekcolumn.h, what each day is in its cell's tooltip and
// description in dayfacts.h, going to a typed date in dategoto.h; they see the
// window through CalendarGrid.
#pragma once

#include "calendar/calendargrid.h"
#include "runtime.h"

#include <array>
#include <cstdint>

namespace engine {
struct Selection;
}

class WeekColumn;

class Form1 : public rt::Form, public CalendarGrid {
    Q_OBJECT
public:
    Form1();

    // Made ready while the program waits before the calendar's load (the
    // splash's seconds): its controls, built out of sight, and the glyphs of
    // its texts. Loads nothing (neither the calendar nor its frame), and does
    // nothing once the calendar is loaded.
    static void prepareLoad();

    void go_Click();
    void isleap(int year);

    // Chooses the month (1-12) in the five selectors as a person would, then draws it.
    void showMonth(int year, int month) override;
    // The controls that take the keyboard focus: the selectors, the button
    // and the cells.
    [[nodiscard]] QList<QWidget *> focusableControls() const override;
    // The grid: the day cells and the weekday headers.
    [[nodiscard]] QList<QWidget *> gridParts() const override;
    // The month the grid shows: the one last drawn, whatever the selectors hold now.
    [[nodiscard]] int shownYear() const override { return m_shownYear; }
    [[nodiscard]] int shownMonth() const override { return m_shownMonth; }
    [[nodiscard]] rt::TextBox *dayCell(int n) const override { return text1[static_cast<std::size_t>(n)]; }
    [[nodiscard]] QWidget *clientArea() const override { return client(); }
    void widenBy(int twips) override;
    // The ISO week numbers beside the grid (off by default; remembered).
    [[nodiscard]] WeekColumn &weekColumn() const { return *m_weekColumn; }
    [[nodiscard]] engine::Date today() const override;
    [[nodiscard]] std::optional<engine::Date> chosenDay() const override { return m_chosen; }
    void chooseDay(const engine::Date &day) override;
    [[nodiscard]] bool weekNumbersShown() const override;
    void showWeekNumbers(bool shown) override;

signals:
    // A month was drawn: by the button, or by a step through the months.
    void drawn();

public:
    // The controls, named as designed.
    rt::ComboBox *monthc = nullptr;
    rt::ComboBox *millenium = nullptr;
    rt::ComboBox *century = nullptr;
    rt::ComboBox *decade = nullptr;
    rt::ComboBox *yearc = nullptr;
    rt::CommandButton *go = nullptr;
    std::array<rt::Label *, 7> Label1{}; // index 0 heads Sunday, 1-6 Monday to Saturday
    std::array<rt::TextBox *, 42> text1{};

    // The leap verdict of the last drawing, then its leap shift (1 or 0).
    std::int16_t leap = 0;

protected:
    void createControls() override;
    void Form_Load() override;
    void Form_Unload(std::int16_t &Cancel) override;
    rt::MdiForm *mdiFrame() override;

private:
    // The selector that holds no valid item, in focus order; nullptr when all do.
    [[nodiscard]] rt::ComboBox *firstUnselected() const;
    // What the person reads beside it: what was not taken and what can be.
    [[nodiscard]] QString whyUnselected(const rt::ComboBox *combo) const;
    // Writes the selected month into the grid and marks today in it.
    void draw(const QDate &today);
    // Makes today's cell stand out when the grid shows today's month.
    void markToday();
    // Marks the chosen day's cell when the grid shows its month.
    void markChosen();

    int m_shownYear = 0;
    int m_shownMonth = 0;     // 1-12 once drawn
    int m_shownStartCell = 0; // the cell that holds its 1st
    QDate m_today;            // as of the last drawing, or the last change of the date
    int m_clientWidth = 5400; // twips
    WeekColumn *m_weekColumn = nullptr;
    std::optional<engine::Date> m_chosen;
};
