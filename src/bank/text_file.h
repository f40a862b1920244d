#pragma once
// Plain text files of the program directory: whole-file reading, the line
// split shared by every text file the program reads, and the Windows-1251
// conversion at the boundary to Qt strings (one byte <-> one UTF-16 unit, so
// character positions are kept).

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quz::bank {

// Reads a whole file. On failure returns nothing and sets `error` to
// `Cannot open file "<full path>". <the system's reason>`.
std::optional<std::string> readFileBytes(const QString &path, QString *error);

// Splits at CR LF, at a lone CR and at a lone LF; a NUL byte ends the text.
// A final line without a line break counts; a text that ends with a line
// break has no extra empty line after it.
std::vector<std::string> splitLines(std::string_view bytes);

// Joins lines with CR LF after every line, the last one included.
std::string joinCrLf(const std::vector<std::string> &lines);

// splitLines + joinCrLf: the form in which the banks hold a file.
std::string normaliseLines(std::string_view bytes);

QString fromCp1251(std::string_view bytes);
// Characters that Windows-1251 cannot hold become '?'.
std::string toCp1251(const QString &text);

QStringList linesFromCp1251(std::string_view bytes);

} // namespace quz::bank
