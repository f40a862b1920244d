#include "ui/platform/system_clock.h"

#include <QDateTime>

namespace quz::platform {

QString withoutTimeZone(const QString &timeFormat)
{
    QString result;
    bool quoted = false;
    bool dropBlanks = false; // a zone field opened the format: drop what follows
    for (qsizetype i = 0; i < timeFormat.size(); ++i) {
        const QChar c = timeFormat.at(i);
        if (c == u'\'') {
            quoted = !quoted;
        } else if (!quoted && c == u't') {
            while (i + 1 < timeFormat.size() && timeFormat.at(i + 1) == u't')
                ++i;
            while (result.endsWith(u' '))
                result.chop(1);
            dropBlanks = result.isEmpty();
            continue;
        } else if (dropBlanks && c == u' ') {
            continue;
        }
        dropBlanks = false;
        result += c;
    }
    return result;
}

SystemClock::SystemClock(const QLocale &locale)
    : m_locale(locale)
    , m_format(locale.dateFormat(QLocale::ShortFormat) + u' '
               + withoutTimeZone(locale.timeFormat(QLocale::LongFormat)))
{}

QString SystemClock::nowText() const
{
    return m_locale.toString(QDateTime::currentDateTime(), m_format);
}

} // namespace quz::platform
