#pragma once
// The question bank: the whole question file held as one Windows-1251 string
// (every line followed by CR LF) and the lookup of one question by the
// two-digit ticket and question texts.
//
// The lookup works on substring searches over the whole text, as the question
// file's layout expects (a header line "билет" + ticket + question + answer
// digit, the question line, the variant lines, optionally one blank line,
// then the next header). It never reads outside the text: a key that is
// absent yields an empty result, and a text that ends inside the variant
// list ends the list there.
//
// One lookup is bounded, so that a damaged file (a variant list that never
// ends, a line of megabytes) costs no more than a sensible record: the list
// ends after kMaxVariants items, and the question text and every item are cut
// to kMaxLineLength characters (an item keeps the CR LF that ends it). Records
// of the question file's layout (2 to 5 variants of a few lines) lie far
// inside both bounds and come back unchanged.

#include "core/bank/bank_text.h"
#include "core/files/outcome.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quz::bank {

inline constexpr std::size_t kMaxVariants = 16;
inline constexpr std::size_t kMaxLineLength = 4096;

struct QuestionRaw {
    std::string answer;                // one character, empty when the key is absent
    std::string text;                  // the question line without its line end
    std::vector<std::string> variants; // each item with the CR LF that ends it
    bool found = false;
};

struct Question {
    QString answer;
    QString text;
    QStringList variants; // each item ends with "\r\n"
    bool found = false;
};

// "билет" + ticket + question, in Windows-1251.
std::string questionKey(std::string_view ticket, std::string_view question);

// One substring search of a lookup: the first position at or after `from`
// where `pattern` occurs in the bank, npos when there is none. A default
// (empty) search is the bank's own find(); a caller that holds an index of the
// bank may answer the same searches from it, as long as the answers are equal.
using BankSearch = std::function<size_t(std::string_view pattern, size_t from)>;

// Where the parts of one question record lie in the bank, as the lookup reads
// them (0-based offsets). The lookup's result is made of exactly these pieces.
struct QuestionLayout {
    static constexpr size_t npos = std::string_view::npos;
    // Why the variant reading stopped.
    enum class End {
        NotRead,    // the text ended before the variants (or the key is absent)
        TicketWord, // the piece `stop` contains the ticket word; it is not a variant
        Blank,      // the piece `stop` is blank; it is the last variant
        EndOfText,  // no further line break
        Bounded,    // the list reached kMaxVariants items; the rest is not read
    };

    size_t key = npos;    // first occurrence of the key; npos when absent
    size_t answer = npos; // the answer digit; npos when the text ends before it
    size_t textBegin = npos;
    size_t textEnd = npos;
    // [begin, end) of every variant item, each with the CR LF that ends it.
    std::vector<std::pair<size_t, size_t>> variants;
    End end = End::NotRead;
    std::pair<size_t, size_t> stop{npos, npos}; // the piece that ended the reading
};

// Finds the key (through `search`) and reads the record there.
QuestionLayout locateQuestion(std::string_view bank, std::string_view ticket,
                              std::string_view question, const BankSearch &search = {});

// The two tests of the variant reading: whether a piece holds the ticket word,
// and whether nothing but blanks and control characters is in it.
bool containsTicketWord(std::string_view piece);
bool isBlankPiece(std::string_view piece);

// Looks a question up in a bank text (already in the CR LF form).
QuestionRaw lookupQuestion(std::string_view bank, std::string_view ticket,
                           std::string_view question);

// The question bank: the text of "vopros.txt" and the question lookup.
class QuestionBank : public BankText {
public:
    Question lookup(const QString &ticket, const QString &question) const;
};

} // namespace quz::bank
