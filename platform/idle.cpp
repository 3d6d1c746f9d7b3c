#include "idle.h"

#include "dispatch.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <utility>

namespace rt {
namespace {

struct Job {
    QPointer<QObject> context;
    std::function<void()> work;
};

std::deque<Job> &jobs()
{
    static std::deque<Job> waiting;
    return waiting;
}

bool g_scheduled = false;

void runNext();

// A timer of no interval fires once the window system's events waiting
// have been handled.
void schedule()
{
    if (g_scheduled || jobs().empty() || !QCoreApplication::instance())
        return;
    g_scheduled = true;
    QTimer::singleShot(0, QCoreApplication::instance(), runNext);
}

void runNext()
{
    g_scheduled = false;
    if (jobs().empty())
        return;
    Job job = std::move(jobs().front());
    jobs().pop_front();
    if (job.context)
        dispatch(job.work);
    schedule();
}

} // namespace

void whenIdle(QObject *context, std::function<void()> job)
{
    jobs().push_back({context, std::move(job)});
    schedule();
}

void runIdleJobs()
{
    while (!jobs().empty()) {
        Job job = std::move(jobs().front());
        jobs().pop_front();
        if (job.context)
            dispatch(job.work);
    }
}

} // namespace rt
