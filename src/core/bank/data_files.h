#pragma once
// The names of the files in the program directory that the programs read
// and keep. Every reader, writer and the data checker take the names from here.

#include <QString>

namespace quz::bank {

// The question file (ticket records) and the comment file.
inline QString questionFileName() { return QStringLiteral("vopros.txt"); }
inline QString commentFileName() { return QStringLiteral("koment.txt"); }
// The picture folder under the program directory.
inline QString pictureFolder() { return QStringLiteral("bmp"); }
// The placeholder bitmap, in the program directory itself.
inline QString placeholderFileName() { return QStringLiteral("emp.bmp"); }
// The one picture the start-up check looks for (ticket 1, question 10).
inline QString samplePictureRelativePath() { return QStringLiteral("bmp/Quz_1_10.jpg"); }
// The text shown when that picture is missing, and the help text.
inline QString installNotesFileName() { return QStringLiteral("Установка!!!.txt"); }
inline QString helpFileName() { return QStringLiteral("Help.txt"); }
// The picture file of a question relative to the program directory, e.g.
// "bmp/Quz_7_5.jpg" for ticket "07", question "05": both numbers go through an
// integer conversion, which drops leading zeros ("10" stays "10").
// Returns an empty string when either text is not a decimal integer; the
// caller treats that like a missing file (the question has no picture).
QString pictureRelativePath(const QString &ticket, const QString &question);

// The picture file of a question inside programDir; empty when
// pictureRelativePath() is empty.
QString picturePath(const QString &programDir, const QString &ticket, const QString &question);

// The learning record of both programs (an SQLite database), beside quz.ini.
inline QString historyFileName() { return QStringLiteral("quz-history.sqlite"); }

} // namespace quz::bank
