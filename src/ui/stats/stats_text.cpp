#include "ui/stats/stats_text.h"

#include <QDateTime>
#include <QLocale>

#include <cmath>

namespace quz::stats {

QString countText(qint64 count) { return QLocale(QLocale::Russian).toString(count); }

QString percentText(qint64 part, qint64 total)
{
    if (total <= 0)
        return QStringLiteral("—");
    // A no-break space: the sign never wraps away from its number.
    return QStringLiteral("%1\u00a0%").arg(std::lround(100.0 * double(part) / double(total)));
}

QString timeText(std::optional<qint64> msSinceEpoch)
{
    if (!msSinceEpoch)
        return QStringLiteral("без времени");
    return QDateTime::fromMSecsSinceEpoch(*msSinceEpoch)
        .toString(QStringLiteral("dd.MM.yyyy hh:mm"));
}

QString durationText(qint64 ms)
{
    const qint64 seconds = std::max<qint64>(0, ms) / 1000;
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QChar(u'0'))
        .arg(seconds % 60, 2, 10, QChar(u'0'));
}

QString twoDigits(int number) { return QStringLiteral("%1").arg(number, 2, 10, QChar(u'0')); }

} // namespace quz::stats
