#pragma once

#include <QDate>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace rt {

class Preferences;

// Everything the forms need from outside the program goes through one of
// these seams. main() wires the real ones; tests put doubles in their place
// (in services()) so that nothing waits, beeps, launches or reads the date.

// Drives every timer of every form. The real clock runs on QTimer; the
// manual clock (manualclock.h) moves only when a test advances it.
class TimerBackend {
public:
    virtual ~TimerBackend() = default;
    // Fire every `intervalMs`, the first time one interval from now.
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual std::unique_ptr<TimerBackend> createTimer(std::function<void()> fire) = 0;
};

class DateSource {
public:
    virtual ~DateSource() = default;
    [[nodiscard]] virtual QDate today() const = 0;
    // How long today() stays as it is if nobody sets the clock: the time to
    // the next midnight, at least 1.
    [[nodiscard]] virtual std::int64_t msecsToMidnight() const = 0;
};

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // A modal message with an OK button only; returns when it is closed.
    virtual void message(const QString &text, const QString &title) = 0;
    virtual void beep() = 0;
};

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts `program` as a program of its own, never through a shell, and
    // returns at once. False when it cannot be started.
    [[nodiscard]] virtual bool start(const QString &program) = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    [[nodiscard]] virtual bool isFile(const QString &path) const = 0;
};

struct Services {
    Clock *clock = nullptr;
    DateSource *date = nullptr;
    MessageSink *messages = nullptr;
    Launcher *launcher = nullptr;
    FileSystem *files = nullptr;
    // Ends the event loop with an exit code; called when the last form is
    // unloaded (0) or after an uncaught run-time error (1).
    std::function<void(int)> endProgram;
    // The person's preferences (preferences.h).
    Preferences *preferences = nullptr;
};

// The services in use. Until something else is installed these are the real ones.
Services &services();
Services realServices();

// `partial` with the real service wherever it names none: what a test puts
// in services() when it doubles some of them only.
Services withRealServices(Services partial);

} // namespace rt
