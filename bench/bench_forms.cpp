// One drawing of the calendar window (read five selectors, compute, write 42
// cells) against 42 bare QLineEdit::setText calls with the same texts, and
// one slideshow tick of the main frame (handing over the photograph decoded
// ahead between ticks); a month step by key against a press of the button;
// a drawing with the week numbers shown against one without; a typed date
// gone to against a month step by key.
//
// The drawing and its baseline are timed by hand around the measured calls
// alone, with the same clock: pausing the library's timer to change months
// reads the CPU clock through a system call, and about 1.5 µs of that landed
// inside every drawing's time and in none of the baseline's.
//
// With --pairs the measures that are compared are timed in turn instead
// (A, B, B, A, ... in rounds of a few dozen calls each) and every round's
// ratio is written as JSON: on a shared two-core machine the speed changes
// from one second to the next, and only measures taken side by side give a
// ratio that holds still from run to run.
#include "calendar/dateinput.h"
#include "calendar/form1.h"
#include "manualclock.h"
#include "preferences.h"
#include "shell/mdiform1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Seconds taken by the work alone.
template <typename Work> double timed(Work &&work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// One measure: what one call of step() times, with whatever it needs made
// beforehand. Each step changes the month, so that every drawing writes
// other texts than the one before.
using Step = std::function<double()>;

// Two months with different cells, so that every drawing changes the texts.
void selectMonth(Form1 &f, bool first)
{
    f.millenium->setListIndex(first ? 2 : 1);
    f.century->setListIndex(first ? 0 : 9);
    f.decade->setListIndex(first ? 2 : 0);
    f.yearc->setListIndex(first ? 4 : 0);
    f.monthc->setListIndex(first ? 6 : 1);
}

// The window as designed (the week numbers hidden), on July 2024.
Form1 &calendar()
{
    Form1 &f = rt::form<Form1>();
    f.setVisible(true);
    f.showWeekNumbers(false);
    f.showMonth(2024, 7);
    return f;
}

// With the week numbers shown or hidden as asked. Two measures of a pair
// share the one window: the first call of each side's half-round shows or
// hides the column (the person's menu item, with its layout), outside the time.
Step drawingStep(bool weekNumbers)
{
    Form1 &f = calendar();
    return [&f, weekNumbers, first = true]() mutable {
        if (f.weekNumbersShown() != weekNumbers)
            f.showWeekNumbers(weekNumbers);
        selectMonth(f, first);
        first = !first;
        return timed([&] { f.go_Click(); });
    };
}

Step drawingStep()
{
    return drawingStep(false);
}

Step drawingWithWeeksStep()
{
    return drawingStep(true);
}

// 42 bare line edits in a window of their own, given the texts of 2024-07
// and 1900-02 in turn.
Step bareSetTextStep()
{
    struct Cells {
        QWidget window;
        std::array<QLineEdit *, 42> cells{};
        std::array<std::array<QString, 42>, 2> texts;
        int which = 0;
    };
    auto c = std::make_shared<Cells>();
    for (auto &cell : c->cells)
        cell = new QLineEdit(&c->window);
    c->window.show();
    for (int n = 0; n < 42; ++n) {
        c->texts[0][n] = n >= 7 && n <= 37 ? QString::number(n - 6) : QString();
        c->texts[1][n] = n >= 3 && n <= 30 ? QString::number(n - 2) : QString();
    }
    return [c] {
        const double t = timed([&] {
            for (int n = 0; n < 42; ++n)
                c->cells[n]->setText(c->texts[c->which][n]);
        });
        c->which ^= 1;
        return t;
    };
}

// A month step by key (PageDown and PageUp in turn, key event to grid drawn).
Step stepByKeyStep()
{
    Form1 &f = calendar();
    return [&f, forward = true]() mutable {
        QKeyEvent key(QEvent::KeyPress, forward ? Qt::Key_PageDown : Qt::Key_PageUp, Qt::NoModifier);
        forward = !forward;
        return timed([&] { QApplication::sendEvent(f.go, &key); });
    };
}

// A typed date gone to, from the text to the grid drawn: what Enter in the
// "Go to date" field does after taking the field's text. The text is read by
// readDate() as the field reads it (the locale's names and orders), and the
// day is chosen through the window's chooseDay(), which shows its month,
// marks the day and puts the focus on its cell. Two dates in other months and
// other years, typed in two forms, in turn. Sending Key_Return to the field
// instead times the same path with the field's own key handling on top.
Step goToDateStep()
{
    Form1 &f = calendar();
    return [&f, locale = QLocale(), which = 0]() mutable {
        static const std::array<QString, 2> typed{QStringLiteral("14 July 1789"), QStringLiteral("2024-02-29")};
        const QString &text = typed[static_cast<std::size_t>(which)];
        which ^= 1;
        bool chosen = false;
        const double t = timed([&] {
            const std::variant<DateInput, QString> read = readDate(text, locale, 2024, 7, 1);
            if (const auto *date = std::get_if<DateInput>(&read)) {
                f.chooseDay({date->year, date->month, date->day});
                chosen = true;
            }
        });
        if (!chosen) {
            std::fprintf(stderr, "goToDate: \"%s\" was not read as a date\n", qPrintable(text));
            std::exit(1);
        }
        return t;
    };
}

// July and August 2024 chosen in the selectors beforehand, and the button
// pressed as a person presses it: the mouse's press and release on it, from
// the press event to the grid drawn.
Step pressButtonStep()
{
    Form1 &f = calendar();
    return [&f, august = true]() mutable {
        f.monthc->setListIndex(august ? 7 : 6);
        august = !august;
        const QPointF at = QRectF(f.go->rect()).center();
        const QPointF global = f.go->mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        return timed([&] {
            QApplication::sendEvent(f.go, &press);
            QApplication::sendEvent(f.go, &release);
        });
    };
}

// The same, with the press made by the button's own click().
Step clickButtonStep()
{
    Form1 &f = calendar();
    return [&f, august = true]() mutable {
        f.monthc->setListIndex(august ? 7 : 6);
        august = !august;
        return timed([&] { f.go->click(); });
    };
}

void run(benchmark::State &state, const Step &step)
{
    for (auto _ : state)
        state.SetIterationTime(step());
}

// The pairs compared in the report, timed in turn: each round times
// `calls` calls of one, then of the other (the order swapped every round,
// so that neither always runs warm after the other), and records the ratio
// of their mean times.
struct Pair {
    const char *name;
    Step (*a)();
    Step (*b)();
};

void writePairs(int rounds, int calls)
{
    const std::array<Pair, 5> pairs{{
        {"drawing/bareSetText", drawingStep, bareSetTextStep},
        {"stepByKey/pressButton", stepByKeyStep, pressButtonStep},
        {"stepByKey/clickButton", stepByKeyStep, clickButtonStep},
        {"drawingWithWeeks/drawing", drawingWithWeeksStep, drawingStep},
        {"goToDate/stepByKey", goToDateStep, stepByKeyStep},
    }};
    std::printf("{\"rounds\": %d, \"calls\": %d, \"pairs\": {", rounds, calls);
    const char *separator = "";
    for (const Pair &pair : pairs) {
        const Step a = pair.a();
        const Step b = pair.b();
        auto mean = [calls](const Step &step) {
            double sum = 0;
            for (int i = 0; i < calls; ++i)
                sum += step();
            return sum / calls;
        };
        // Warm both before the first round counts.
        mean(a);
        mean(b);
        std::vector<double> as;
        std::vector<double> bs;
        for (int round = 0; round < rounds; ++round) {
            if (round % 2 == 0) {
                as.push_back(mean(a));
                bs.push_back(mean(b));
            } else {
                bs.push_back(mean(b));
                as.push_back(mean(a));
            }
        }
        std::printf("%s\n  \"%s\": {\"a\": [", separator, pair.name);
        for (std::size_t i = 0; i < as.size(); ++i)
            std::printf("%s%.1f", i ? ", " : "", as[i] * 1e9);
        std::printf("], \"b\": [");
        for (std::size_t i = 0; i < bs.size(); ++i)
            std::printf("%s%.1f", i ? ", " : "", bs[i] * 1e9);
        std::printf("]}");
        separator = ",";
    }
    std::printf("\n}}\n");
}

} // namespace

// Each measure alone, for its absolute figure.
static void drawing(benchmark::State &state)
{
    run(state, drawingStep());
}
BENCHMARK(drawing)->UseManualTime();

static void bareSetText(benchmark::State &state)
{
    run(state, bareSetTextStep());
}
BENCHMARK(bareSetText)->UseManualTime();

static void stepByKey(benchmark::State &state)
{
    run(state, stepByKeyStep());
}
BENCHMARK(stepByKey)->UseManualTime();

static void drawingWithWeeks(benchmark::State &state)
{
    run(state, drawingWithWeeksStep());
}
BENCHMARK(drawingWithWeeks)->UseManualTime();

static void goToDate(benchmark::State &state)
{
    run(state, goToDateStep());
}
BENCHMARK(goToDate)->UseManualTime();

static void pressButton(benchmark::State &state)
{
    run(state, pressButtonStep());
}
BENCHMARK(pressButton)->UseManualTime();

static void clickButton(benchmark::State &state)
{
    run(state, clickButtonStep());
}
BENCHMARK(clickButton)->UseManualTime();

static void slideshowTick(benchmark::State &state)
{
    rt::ManualClock clock;
    rt::Services services = rt::realServices();
    services.clock = &clock;
    const rt::Services saved = std::exchange(rt::services(), services);
    rt::form<Form1>().setVisible(true);
    MDIForm1 &frame = rt::form<MDIForm1>();
    for (auto _ : state) {
        // What the program does in the twenty seconds between two ticks:
        // the next photograph is decoded ahead on a worker thread.
        state.PauseTiming();
        rt::runIdleJobs();
        rt::finishPreparedPictures();
        state.ResumeTiming();
        frame.Timer1_Timer();
    }
    rt::Forms::destroyAll();
    rt::services() = saved;
}
BENCHMARK(slideshowTick);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    rt::installFonts();
    // The preferences in memory: the window starts as designed, whatever the
    // person's file says, and showing the week numbers writes nothing.
    rt::Preferences preferences;
    rt::services().preferences = &preferences;
    // --pairs[=ROUNDS]: the compared measures in turn, as JSON on stdout.
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--pairs" || arg.starts_with("--pairs=")) {
            const int rounds = arg == "--pairs" ? 2000 : std::max(10, std::atoi(argv[i] + 8));
            writePairs(rounds, 20);
            return 0;
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
