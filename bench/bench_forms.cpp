// One drawing of the calendar window (read five selectors, compute, write 42
// cells) against 42 bare QLineEdit::setText calls with the same texts, and
// one slideshow tick of the main frame (handing over the photograph decoded
// ahead between ticks); a month step by key against a press of the button.
//
// The drawing and its baseline are timed by hand around the measured calls
// alone, with the same clock: pausing the library's timer to change months
// reads the CPU clock through a system call, and about 1.5 µs of that landed
// inside every drawing's time and in none of the baseline's.
#include "calendar/form1.h"
#include "manualclock.h"
#include "shell/mdiform1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <chrono>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

template <typename Work> void timed(benchmark::State &state, Work &&work)
{
    const auto start = Clock::now();
    work();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
}

// Two months with different cells, so that every drawing changes the texts.
void selectMonth(Form1 &f, bool first)
{
    f.millenium->setListIndex(first ? 2 : 1);
    f.century->setListIndex(first ? 0 : 9);
    f.decade->setListIndex(first ? 2 : 0);
    f.yearc->setListIndex(first ? 4 : 0);
    f.monthc->setListIndex(first ? 6 : 1);
}

} // namespace

static void drawing(benchmark::State &state)
{
    Form1 &f = rt::form<Form1>();
    f.setVisible(true);
    bool first = true;
    for (auto _ : state) {
        selectMonth(f, first);
        first = !first;
        timed(state, [&] { f.go_Click(); });
    }
}
BENCHMARK(drawing)->UseManualTime();

static void bareSetText(benchmark::State &state)
{
    QWidget window;
    std::array<QLineEdit *, 42> cells{};
    for (auto &cell : cells)
        cell = new QLineEdit(&window);
    window.show();
    // The texts of 2024-07 and 1900-02, written in turn.
    std::array<std::array<QString, 42>, 2> texts;
    for (int n = 0; n < 42; ++n) {
        texts[0][n] = n >= 7 && n <= 37 ? QString::number(n - 6) : QString();
        texts[1][n] = n >= 3 && n <= 30 ? QString::number(n - 2) : QString();
    }
    int which = 0;
    for (auto _ : state) {
        timed(state, [&] {
            for (int n = 0; n < 42; ++n)
                cells[n]->setText(texts[which][n]);
        });
        which ^= 1;
    }
}
BENCHMARK(bareSetText)->UseManualTime();

// A month step by key (PageDown and PageUp in turn between July and August
// 2024, key event to grid drawn) against one press of the button on a month
// already chosen.
static void stepByKey(benchmark::State &state)
{
    Form1 &f = rt::form<Form1>();
    f.setVisible(true);
    f.showMonth(2024, 7);
    bool forward = true;
    for (auto _ : state) {
        QKeyEvent key(QEvent::KeyPress, forward ? Qt::Key_PageDown : Qt::Key_PageUp, Qt::NoModifier);
        forward = !forward;
        timed(state, [&] { QApplication::sendEvent(f.go, &key); });
    }
}
BENCHMARK(stepByKey)->UseManualTime();

// The same two months, chosen in the selectors beforehand, and the button
// pressed as a person presses it: the mouse's press and release on it, from
// the press event to the grid drawn.
static void pressButton(benchmark::State &state)
{
    Form1 &f = rt::form<Form1>();
    f.setVisible(true);
    f.showMonth(2024, 7);
    const QPointF at = QRectF(f.go->rect()).center();
    const QPointF global = f.go->mapToGlobal(at);
    bool august = true;
    for (auto _ : state) {
        f.monthc->setListIndex(august ? 7 : 6);
        august = !august;
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        timed(state, [&] {
            QApplication::sendEvent(f.go, &press);
            QApplication::sendEvent(f.go, &release);
        });
    }
}
BENCHMARK(pressButton)->UseManualTime();

// The same, with the press made by the button's own click().
static void clickButton(benchmark::State &state)
{
    Form1 &f = rt::form<Form1>();
    f.setVisible(true);
    f.showMonth(2024, 7);
    bool august = true;
    for (auto _ : state) {
        f.monthc->setListIndex(august ? 7 : 6);
        august = !august;
        timed(state, [&] { f.go->click(); });
    }
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
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
