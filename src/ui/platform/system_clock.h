#pragma once
// The local date and time as the user's locale writes them.

#include "ui/platform/services.h"

#include <QLocale>
#include <QString>

namespace quz::platform {

// Removes the time-zone fields ('t' runs outside quoted text) of a Qt time
// format, together with the blanks before each of them (or after it, when
// the field opens the format). Quoted literals are kept as they are.
QString withoutTimeZone(const QString &timeFormat);

// The clock behind the clock interface. The formats are read once, when the
// clock is created, so that a locale change while the program runs does not
// change the entries it writes.
class SystemClock : public Clock {
public:
    explicit SystemClock(const QLocale &locale = QLocale::system());

    QString nowText() const override;
    // "<short date format> <long time format without time zone>"
    QString format() const { return m_format; }

private:
    QLocale m_locale;
    QString m_format;
};

} // namespace quz::platform
