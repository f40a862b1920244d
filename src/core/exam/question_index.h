#pragma once
// Where each question key ("билет" + ticket + question) first stands in a
// question bank, found in one pass over the bank, so that the many lookups of
// an exam (a random ticket drawn among incomplete ones, the extra blocks)
// each read only their own record instead of searching the whole bank.
//
// A lookup through the index reads at most kRecordWindow bytes from the key
// on. For every record whose reading ends within that window it gives
// exactly what the bank's own lookup gives: a record of the question file's
// layout takes a few hundred bytes, and even 16 variants of 4096 characters
// (the most a lookup keeps) take 64 KiB. A damaged record that runs on
// further (a line of megabytes) ends at the window as at the end of the
// text, so 800 lookups of a hostile bank cost 800 windows, not 800 banks.
// Not responsible for reading the bank or for deciding what a usable
// question is.

#include "core/bank/question_bank.h"
#include "core/exam/exam_rules.h"

#include <array>
#include <cstddef>

namespace quz::exam {

class QuestionIndex {
public:
    static constexpr std::size_t kRecordWindow = 256 * 1024;

    // Indexes the bank's text as it is now.
    explicit QuestionIndex(const bank::QuestionBank &bank);

    // QuestionBank::lookup() of the two-digit texts of the numbers. The bank
    // must not change while the index is in use; a bank whose size changed,
    // or that no longer has the key where it was, is searched as a whole.
    bank::Question lookup(int ticket, int question) const;

private:
    static constexpr auto kKeys = static_cast<std::size_t>(kTicketCount * kMainQuestions);
    const bank::QuestionBank *m_bank;
    std::size_t m_size = 0;
    std::array<std::size_t, kKeys> m_first;
};

} // namespace quz::exam
