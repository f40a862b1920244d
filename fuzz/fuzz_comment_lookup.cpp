// The comment lookup on arbitrary bank texts with the ticket and question
// texts from the input: never reads outside the text, never overflows on
// large question numbers, and gives a piece of the bank of at most
// kMaxCommentLength characters that starts right after a line break.
#include "core/bank/comment_bank.h"
#include "core/files/text_file.h"
#include "fuzz_input.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    quz::fuzz::Input input(data, size);
    const std::string_view ticket = input.line();
    const std::string_view question = input.line();
    // Texts that come back unchanged from a Qt string (byte 0x98 has no
    // character) reach the bank's Qt interface as the same bytes.
    const bool sameAsQt = quz::files::toCp1251(quz::files::fromCp1251(ticket)) == ticket
                          && quz::files::toCp1251(quz::files::fromCp1251(question)) == question;
    const std::string bank = quz::files::normaliseLines(input.rest);

    const std::string comment = quz::bank::lookupComment(bank, ticket, question);
    if (comment.size() > quz::bank::kMaxCommentLength)
        std::abort();
    if (!comment.empty()) {
        const size_t at = bank.find(comment);
        if (at == std::string::npos)
            std::abort();
    }

    quz::bank::CommentBank comments;
    comments.setText(input.rest);
    const QString shown =
        comments.lookup(quz::files::fromCp1251(ticket), quz::files::fromCp1251(question));
    if (sameAsQt && shown.size() != static_cast<qsizetype>(comment.size()))
        std::abort();
    (void)quz::bank::commentCaption(quz::files::fromCp1251(ticket),
                                    quz::files::fromCp1251(question));
    return 0;
}
