// The question lookup on arbitrary bank texts with the ticket and question
// texts from the input: the in-place line normalisation matches the copying
// one, the lookup never reads outside the text, always ends, and stays within
// its bounds (16 variants, lines of 4096 characters and their line end).
#include "core/bank/question_bank.h"
#include "core/files/text_file.h"
#include "fuzz_input.h"

#include <QByteArray>

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
    QByteArray inPlace(input.rest.data(), static_cast<qsizetype>(input.rest.size()));
    quz::files::normaliseLinesInPlace(inPlace);
    if (std::string_view(inPlace.constData(), static_cast<size_t>(inPlace.size())) != bank)
        std::abort();

    const quz::bank::QuestionRaw r = quz::bank::lookupQuestion(bank, ticket, question);
    if (r.found != (bank.find(quz::bank::questionKey(ticket, question)) != std::string::npos))
        std::abort();
    if (r.answer.size() > 1 || r.text.size() > quz::bank::kMaxLineLength)
        std::abort();
    if (r.variants.size() > quz::bank::kMaxVariants)
        std::abort();
    for (const std::string &item : r.variants)
        if (item.size() > quz::bank::kMaxLineLength + 2 || item.size() > bank.size())
            std::abort();

    // The same through the bank's own interface, with the texts as Qt strings.
    quz::bank::QuestionBank questions;
    questions.setText(input.rest);
    const quz::bank::Question q =
        questions.lookup(quz::files::fromCp1251(ticket), quz::files::fromCp1251(question));
    if (sameAsQt
        && (q.found != r.found || q.variants.size() != static_cast<qsizetype>(r.variants.size())))
        std::abort();
    return 0;
}
