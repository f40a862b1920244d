#pragma once
// The comment bank: the whole comment file held as one Windows-1251 string
// (every line followed by CR LF), looked up by ticket and question with three
// substring searches over the whole text.

#include "core/bank/bank_text.h"
#include "core/bank/question_bank.h"
#include "core/files/outcome.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <string>
#include <string_view>

namespace quz::bank {

// The comment of one question: the text between the start marker
// (CR LF + question number + ". ") found at or after the ticket marker
// (CR LF + "билет" + ticket) and the end marker (CR LF + number + 1 + ".").
// Empty when a marker is missing. A question text that is not a number has
// no comment. A missing end marker can make the text run over most of the
// file; it is cut to kMaxCommentLength characters, far more than any comment
// of the file's layout holds, so that the comment window is never handed
// megabytes.
inline constexpr std::size_t kMaxCommentLength = 64 * 1024;

std::string lookupComment(std::string_view bank, std::string_view ticket,
                          std::string_view question);

// Where the lookup of one comment found its markers (0-based offsets of their
// CR LF, npos when absent) and the text it yields: [textBegin, textEnd), empty
// when textEnd <= textBegin.
struct CommentLayout {
    static constexpr size_t npos = std::string_view::npos;
    size_t ticketMarker = npos;
    size_t start = npos;
    size_t end = npos;
    size_t textBegin = 0;
    size_t textEnd = 0;
    bool isEmpty() const { return textEnd <= textBegin; }
};

// The three searches of the lookup (through `search`, see BankSearch) and the
// text they delimit; lookupComment() returns that text. A question text that
// is not a number finds nothing.
CommentLayout locateComment(std::string_view bank, std::string_view ticket,
                            std::string_view question, const BankSearch &search = {});

QString commentCaption(const QString &ticket, const QString &question);

// The comment bank: the text of "koment.txt" and the comment lookup.
class CommentBank : public BankText {
public:
    QString lookup(const QString &ticket, const QString &question) const;
};

} // namespace quz::bank
