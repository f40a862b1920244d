#pragma once
// Plain text files of the program: the line split shared by every text file
// the program reads (CR LF, lone CR and lone LF end a line; a NUL byte ends
// the text), and the Windows-1251 conversion at the boundary to Qt strings
// (one byte <-> one UTF-16 unit, so character positions are kept).

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

namespace quz::files {

// Splits at CR LF, at a lone CR and at a lone LF; a NUL byte ends the text.
// A final line without a line break counts; a text that ends with a line
// break has no extra empty line after it.
std::vector<std::string_view> splitLines(std::string_view bytes);

// The form in which the banks hold a file: its lines (as splitLines() finds
// them) each followed by CR LF, built in one pass into one new string.
std::string normaliseLines(std::string_view bytes);
// The same, done in `bytes` itself: the buffer grows at most to the result's
// size (by one CR for every lone line break, by CR LF for a last line without
// one), so that a file of any size costs at most about twice its size while
// it is turned into a bank.
void normaliseLinesInPlace(QByteArray &bytes);

QString fromCp1251(std::string_view bytes);
// Appends the Windows-1251 `bytes` to `text` without a second copy.
void appendCp1251(QString &text, std::string_view bytes);
// Characters that Windows-1251 cannot hold become '?'.
std::string toCp1251(const QString &text);
// Whether every character of `text` has a Windows-1251 byte.
bool fitsCp1251(const QString &text);

// The lines of a Windows-1251 text, as splitLines() finds them.
QStringList linesFromCp1251(std::string_view bytes);

// The lines of a Windows-1251 text joined for a text box: each line break
// becomes one '\n' (the box's own line break).
QString displayText(std::string_view bytes);
// A text held with CR LF line breaks (a bank lookup's result) as a text box
// shows it: every CR LF becomes '\n'.
QString displayText(const QString &crLfText);

} // namespace quz::files
