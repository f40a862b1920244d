#pragma once
// Commands the checker advises, written so that pasting one into bash where
// the check ran acts on exactly the file it names and runs nothing else.

#include <QByteArray>
#include <QString>

namespace quz::check {

// The encodings a text file can be converted from.
enum class Encoding { None, Utf8, Utf8WithMark, Utf16, Utf16Le, Utf16Be };

// `path` (bytes as the system names the file) as one bash word: between
// single quotes when it is plain text, otherwise in bash's $'...' form with
// every byte that is not printable ASCII written as \xHH, so that no control
// character reaches the terminal. A path that begins with "-" gets "./" in
// front, so that no command takes it for an option.
QString shellQuoted(QByteArray path);

// A command that converts the file at `path` from `from` to Windows-1251 in
// place. The old file stays as it is when the conversion fails (a character
// Windows-1251 does not have), and no half-made file is left behind; the
// command's exit status tells which happened.
QString conversionCommand(const QByteArray &path, Encoding from);

} // namespace quz::check
