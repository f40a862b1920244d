#pragma once
// What a header line looks like to a person but not to the program: the
// ticket word in capitals or with Latin look-alike letters, indented, or with
// blanks or other characters before its number.

#include <string>
#include <string_view>

namespace quz::check {

// Whether `line` begins, after blanks, with the ticket word in any case or in
// letters that look like it, then optional separators, then a digit. `digits`
// gets the digits that follow (blanks between them skipped), at most
// `maxDigits`. Callers rule out the exact form the program reads first.
bool looksLikeHeader(std::string_view line, std::string &digits, size_t maxDigits);

} // namespace quz::check
