#pragma once
// A monotonic clock that a test moves by hand, for the exam countdown.

#include "core/exam/monotonic_clock.h"

namespace quz::test {

class FakeMonotonicClock : public exam::MonotonicClock {
public:
    qint64 ms = 0;
    qint64 nowMs() const override { return ms; }
};

} // namespace quz::test
