#pragma once
// The clock the exam countdown is measured against: milliseconds from a fixed
// point that only ever moves forward, and not while the machine is suspended.
// A change of the system's date or time moves nothing. Tests drive the
// countdown with a clock of their own.

#include <QElapsedTimer>
#include <QtGlobal>

namespace quz::exam {

class MonotonicClock {
public:
    virtual ~MonotonicClock() = default;
    // Milliseconds since a fixed point of this clock; never smaller than an
    // earlier reading.
    virtual qint64 nowMs() const = 0;
};

// The system's monotonic clock (on Linux CLOCK_MONOTONIC, which stands still
// while the machine sleeps), counted from the clock's creation.
class SteadyClock : public MonotonicClock {
public:
    SteadyClock() { m_timer.start(); }
    qint64 nowMs() const override { return m_timer.elapsed(); }

private:
    QElapsedTimer m_timer;
};

} // namespace quz::exam
