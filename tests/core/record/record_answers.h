#pragma once
// Answers for the record's tests.

#include "core/record/record_types.h"

#include <QDateTime>

namespace quz::test {

// A practice answer of quz given now: right (1, the right digit) or wrong (2).
inline record::Answer practice(int ticket, int question, bool correct)
{
    return record::Answer{QDateTime::currentMSecsSinceEpoch(),
                          record::Program::Quz,
                          record::Mode::Practice,
                          ticket,
                          question,
                          correct ? 1 : 2,
                          1,
                          correct};
}

} // namespace quz::test
