// Test doubles for every seam of the forms runtime, installed together for
// the lifetime of one Doubles object; destroying it tears down every form.
#pragma once

#include "form.h"
#include "manualclock.h"
#include "preferences.h"
#include "services.h"
#include "standin.h"

#include <QCoreApplication>
#include <QDate>
#include <QStringList>
#include <QTime>

#include <algorithm>

#include <vector>

namespace testing {

struct FixedDate final : rt::DateSource {
    QDate date{2026, 6, 15};
    QTime time{12, 0};
    QDate today() const override { return date; }
    std::int64_t msecsToMidnight() const override { return std::max(time.msecsTo(QTime(23, 59, 59, 999)) + 1, 1); }
};

struct RecordedMessage {
    QString text;
    QString title;
};

struct RecordingMessages final : rt::MessageSink {
    std::vector<RecordedMessage> shown;
    int beeps = 0;
    void message(const QString &text, const QString &title) override { shown.push_back({text, title}); }
    void beep() override { ++beeps; }
};

struct FakeLauncher final : rt::Launcher {
    QStringList started;
    bool succeeds = true;
    bool start(const QString &program) override
    {
        started << program;
        return succeeds;
    }
};

struct FakeFiles final : rt::FileSystem {
    QStringList files;
    bool isFile(const QString &path) const override { return files.contains(path); }
};

class Doubles {
public:
    rt::ManualClock clock;
    FixedDate date;
    RecordingMessages messages;
    FakeLauncher launcher;
    FakeFiles files;
    rt::Preferences preferences; // in memory: nothing read or written
    std::vector<int> endings;    // exit codes the program ended with

    Doubles()
        : m_scope(rt::services(),
                  rt::withRealServices(rt::Services{&clock, &date, &messages, &launcher, &files,
                                                    [this](int code) { endings.push_back(code); }, &preferences}))
    {
    }
    ~Doubles()
    {
        rt::Forms::destroyAll();
        // Unloaded forms are deleted later; before the clock their timers use goes.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    Doubles(const Doubles &) = delete;
    Doubles &operator=(const Doubles &) = delete;

private:
    StandIn<rt::Services> m_scope;
};

} // namespace testing
