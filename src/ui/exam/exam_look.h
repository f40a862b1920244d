#pragma once
// The few colours and fonts the exam page adds to the desktop's own.

#include "ui/platform/look.h"

#include <QColor>
#include <QFont>

namespace quz::examui {

// Lines about what the program folder lacks.
inline QColor noticeColor() { return QColor(160, 0, 0); }
// The verdict: passed, not passed.
inline QColor passedColor() { return platform::look::green(); }
inline QColor failedColor() { return QColor(192, 0, 0); }
// The comments of the wrong answers.
inline QColor commentColor() { return QColor(0, 90, 90); }

// The desktop's font of `like`, `factor` times as large, bold when asked.
inline QFont scaledFont(const QFont &like, double factor, bool bold)
{
    QFont font = like;
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else
        font.setPixelSize(static_cast<int>(font.pixelSize() * factor));
    font.setBold(bold);
    return font;
}

} // namespace quz::examui
