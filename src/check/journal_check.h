#pragma once
// Checks a journal file as the program reads it (whole: a NUL byte is a
// character of its line): its code page and bytes, and every line that the
// journal answer mode takes for an error entry (a line beginning with "-"),
// which must have 15 characters with a ticket 01-40 at characters 4-5 and a
// question 01-20 at characters 14-15. For a line that does not, the finding
// says what the answer mode asks instead and, when the question bank is
// given, what the program then shows.

#include "check/bank_index.h"
#include "check/finding.h"

#include <vector>

namespace quz::check {

// `file` names the journal in the findings, `path` is the bytes the system
// names it by; `questions` (may be null) is the
// question bank the program would show the questions from.
std::vector<Finding> checkJournal(const QString &file, const QByteArray &path,
                                  const BankText *questions, const Scope &scope = {});

} // namespace quz::check
