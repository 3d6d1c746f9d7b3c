#pragma once

#include "runtimeerror.h"

#include <exception>
#include <utility>

namespace rt {

// Every event handler runs through dispatch(): a run-time error that leaves
// the handler is shown with its number and text and ends the program. No
// exception ever crosses into Qt's event loop.
void reportUncaught(const RuntimeError &error) noexcept;

template <class Handler> void dispatch(Handler &&handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (const RuntimeError &error) {
        reportUncaught(error);
    } catch (const std::bad_alloc &) {
        reportUncaught(RuntimeError(7, QStringLiteral("Out of memory")));
    } catch (const std::exception &e) {
        reportUncaught(RuntimeError(51, QString::fromLocal8Bit(e.what())));
    }
}

// The three error styles a procedure can use.

// Skip the failing statement and go on with the next: wrap each statement.
template <class Statement> void resumeNext(Statement &&statement)
{
    try {
        std::forward<Statement>(statement)();
    } catch (const RuntimeError &) {
    }
}

// Jump to the procedure's one handler.
template <class Body, class Handler> void onErrorGoTo(Body &&body, Handler &&handler)
{
    try {
        std::forward<Body>(body)();
    } catch (const RuntimeError &error) {
        std::forward<Handler>(handler)(error);
    }
}

// The third style, passing the error to the caller, is plain C++: no handler.

} // namespace rt
