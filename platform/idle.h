// Work done while the program waits for the person: each job runs when the
// event loop has handled everything that was waiting (a key, a click, a
// repaint), one job per turn, so that input is never kept waiting for more
// than one of them.
#pragma once

#include <QObject>

#include <functional>

namespace rt {

// Runs `job` in idle time, unless `context` is gone by then.
void whenIdle(QObject *context, std::function<void()> job);

// Runs every job waiting for idle time at once. For tests and benchmarks,
// whose event loop never idles the way the program's does.
void runIdleJobs();

} // namespace rt
