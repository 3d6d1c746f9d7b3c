#pragma once

#include <QObject>

namespace rt {

class Timer;

// Tells when today's date may have changed while the program runs: at
// midnight, and whenever the system's date, time or time zone is set.
// Nothing polls. Midnight is a timer of the services' clock, set anew after
// every change (a timer counts elapsed time, so a clock set forward or back
// would leave it wrong); the system says itself when its clock is set.
class DateWatch : public QObject {
    Q_OBJECT
public:
    explicit DateWatch(QObject *owner);
    ~DateWatch() override;

    // What the system does when its clock or time zone is set; a test calls
    // it to act such a change out.
    static void systemClockChanged();

signals:
    void dateMayHaveChanged();

private:
    void changed();
    void arm();

    Timer *m_midnight = nullptr;
};

} // namespace rt
