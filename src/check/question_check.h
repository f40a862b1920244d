#pragma once
// Checks the question file against the program's own question lookup: every
// key of the scope is looked up exactly as the program looks it up, and what
// it yields is compared with what the lines of the file mean (a header, the
// question line, the variant lines, a blank line or the next header). Each
// difference becomes one finding on the line that causes it, worded as what
// the program shows because of it.

#include "check/bank_index.h"
#include "check/finding.h"

#include <optional>
#include <string_view>

namespace quz::check {

struct QuestionCheck {
    std::vector<Finding> findings;
    std::vector<QuestionSummary> questions;
    // When the file has a NUL byte: what is lost behind it, to be added to the
    // NUL finding's message.
    QString lostBehindNul;
};

// `bank` holds the text as the program reads it; `behindNul` the file's bytes
// from its first NUL byte on (empty when there is none), which the program
// never sees.
QuestionCheck checkQuestions(const QString &file, const BankText &bank, const Scope &scope,
                             std::string_view behindNul = {});

// The tickets 01..T and questions 01..Q that the file has records for, when
// that is less than `scope` (a set of the user's own that covers part of the
// examination); nothing for a file with every key of the scope, or none.
std::optional<Scope> partialSet(const BankText &bank, const Scope &scope);

// How many answer buttons the program shows for a list of variant items, as
// the question display places them (a blank line inside an item adds one).
int answerButtons(const QStringList &items);

} // namespace quz::check
