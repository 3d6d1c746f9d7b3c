// A long day at the calendar: thousands of slideshow ticks with drawings of
// random months between them. Every drawing must be the engine's month,
// the frame must show the photograph that is due, and resident memory must
// stay flat once the first thousand ticks have warmed up Qt's caches.
#include "calendar/form1.h"
#include "calendarcells.h"
#include "doubles.h"
#include "engine/calendar.h"
#include "shell/mdiform1.h"
#include "webdouble.h"

#include <QTest>

#include <cstdint>
#include <fstream>
#include <random>
#include <unistd.h>

namespace {

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer makes each drawing some ten times slower and keeps freed
// blocks in quarantine, so resident memory says nothing there; LeakSanitizer
// checks for leaks instead.
constexpr int tickCount = 2'000;
constexpr bool boundMemory = false;
#else
constexpr int tickCount = 10'000;
constexpr bool boundMemory = true;
#endif
constexpr int drawingsPerTick = 10;
constexpr int warmUpTicks = 1'000;
constexpr qint64 allowedGrowth = 1024 * 1024;

qint64 residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    qint64 pages = 0;
    qint64 resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// The first cell that differs from the engine's month, or -1.
int firstWrongCell(const Form1 &f, const engine::Selection &s)
{
    const engine::MonthLayout month = engine::layout(s);
    for (int n = 0; n < engine::cellCount; ++n) {
        const int day = month.dayAt(n);
        const QString &shown = f.text1[static_cast<std::size_t>(n)]->text();
        if (day == 0 ? !shown.isEmpty() : shown != QString::number(day))
            return n;
    }
    return -1;
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT
private slots:
    void ticksAndDrawings()
    {
        testing::ProgramDoubles d;
        Form1 &f = rt::form<Form1>();
        f.setVisible(true);
        MDIForm1 &frame = rt::form<MDIForm1>();
        QCOMPARE(frame.backgroundPicture().cacheKey(), frame.Picture1[3].Picture().cacheKey());

        std::mt19937 random(20260615);
        auto digit = [&] { return static_cast<std::int16_t>(random() % 10); };
        qint64 warm = 0;
        int drawings = 0;
        for (int tick = 0; tick < tickCount; ++tick) {
            d.clock.advance(20000);
            // Tick k shows photograph k mod 4: 0, 1, 2, 3, 0, ...
            if (frame.backgroundPicture().cacheKey()
                != frame.Picture1[static_cast<std::size_t>(tick % 4)].Picture().cacheKey())
                QFAIL(qPrintable(QStringLiteral("tick %1 shows the wrong photograph").arg(tick)));
            if (!f.Visible())
                QFAIL(qPrintable(QStringLiteral("tick %1 left the calendar hidden").arg(tick)));

            for (int i = 0; i < drawingsPerTick; ++i, ++drawings) {
                const engine::Selection s{digit(), digit(), digit(), digit(), static_cast<std::int16_t>(random() % 12)};
                testing::choose(f, s);
                f.go->click();
                if (const int cell = firstWrongCell(f, s); cell >= 0)
                    QFAIL(qPrintable(QStringLiteral("drawing %1 (%2%3%4%5, month %6): cell %7 reads \"%8\"")
                                         .arg(drawings)
                                         .arg(s.thousands)
                                         .arg(s.hundreds)
                                         .arg(s.tens)
                                         .arg(s.units)
                                         .arg(s.month + 1)
                                         .arg(cell)
                                         .arg(f.text1[static_cast<std::size_t>(cell)]->text())));
            }
            // Paint now and then, as the event loop would between the user's clicks.
            if (tick % 100 == 0)
                QCoreApplication::processEvents();
            if (tick + 1 == warmUpTicks)
                warm = residentBytes();
        }
        QCoreApplication::processEvents();
        const qint64 growth = residentBytes() - warm;
        qInfo("%d ticks, %d drawings; resident memory after the first %d ticks %lld KiB, growth since %lld KiB",
              tickCount, drawings, warmUpTicks, warm / 1024, growth / 1024);
        QCOMPARE(d.messages.beeps, 0);
        QVERIFY(d.messages.shown.empty());
        if (boundMemory)
            QVERIFY2(growth <= allowedGrowth, qPrintable(QStringLiteral("grew by %1 KiB").arg(growth / 1024)));
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
