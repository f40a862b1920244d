#pragma once
// Checks of a text file's bytes before its content is read: the code page
// (the program reads Windows-1251 only), the one byte that code page leaves
// undefined, NUL bytes (the program's reading of the banks and the notes
// stops at the first one; a journal is read whole, a NUL being a character
// of its line) and line ends (every kind ends a line; a mix is only noted).

#include "check/finding.h"

#include <QByteArray>

#include <functional>
#include <string_view>
#include <vector>

namespace quz::check {

// What the file is for, so that a finding can say what the program shows.
enum class TextRole { Questions, Comments, Notes, Journal };

struct TextFacts {
    std::vector<Finding> findings;
    // UTF-8 or UTF-16: the program misreads everything in the file, so the
    // checks go on with its text in Windows-1251 (what the program reads once
    // the file is converted); null for any other file.
    QByteArray converted;
    // Where the program's reading stops: the first NUL byte and its line
    // (1-based), npos / 0 when there is none and in a journal; the NUL
    // finding is among `findings` and callers may add to its message.
    size_t nulAt = std::string_view::npos;
    int nulLine = 0;
};

// What the program makes of a whole file in UTF-8 or UTF-16, from the bytes
// it reads (`read`) and the same text once converted (`meant`).
using WholeFileEffect = std::function<QString(std::string_view read, std::string_view meant)>;

// `effect` words what the program makes of a file in another code page; a
// fixed wording for the role when it is empty.
TextFacts checkText(const QString &file, std::string_view bytes, TextRole role,
                    const WholeFileEffect &effect = {});

// The 1-based line that holds byte `pos`, counting line ends as the program
// does (CR LF, a lone CR and a lone LF each end one line).
int rawLineOf(std::string_view bytes, size_t pos);

} // namespace quz::check
