#pragma once
// The few ways the statistics page writes numbers and times, in Russian.

#include <QString>
#include <QtGlobal>

#include <optional>

namespace quz::stats {

// "1 006 000": grouped in threes as Russian text groups them.
QString countText(qint64 count);
// "78 %" (rounded; a no-break space before the sign), or "—" when `total` is 0.
QString percentText(qint64 part, qint64 total);
// "05.03.2026 14:22" in local time; "без времени" for none.
QString timeText(std::optional<qint64> msSinceEpoch);
// "12:05" (minutes and seconds) for a duration.
QString durationText(qint64 ms);
// A ticket or question number as the files write it: "05".
QString twoDigits(int number);

} // namespace quz::stats
