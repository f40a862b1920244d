#pragma once
// Checks the comment file against the program's own comment lookup: every
// comment of the scope is looked up exactly as the program looks it up, and
// the text it yields is compared with the comment the lines of the file mean
// (the ticket's header, then "1. " ... up to the line that begins with the
// number after the last question). Each difference becomes one finding on
// the line that causes it, worded as what the program shows because of it.

#include "check/bank_index.h"
#include "check/finding.h"

#include <string_view>

namespace quz::check {

struct CommentCheck {
    std::vector<Finding> findings;
    // When the file has a NUL byte: what is lost behind it.
    QString lostBehindNul;
};

// `bank` holds the text as the program reads it; `behindNul` the bytes from
// the file's first NUL byte on (empty when there is none), which the program
// never sees. The tickets of `scope` must have their comments; the program
// asks `askedTickets` (more, for a partial set), whose headers are no
// strangers.
CommentCheck checkComments(const QString &file, const BankText &bank, const Scope &scope,
                           std::string_view behindNul = {}, int askedTickets = 0);

} // namespace quz::check
