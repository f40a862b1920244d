// The position rules with ticket and question texts and range values from
// the input (as a hand-edited settings file may hold them): the next
// question, the clamp into the range, the range steps and the picture name
// never overflow, and the next position after a right answer is always a
// real ticket.
#include "core/bank/picture_store.h"
#include "core/files/text_file.h"
#include "core/practice/practice_rules.h"
#include "fuzz_input.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

int32_t takeInt(std::string_view &rest)
{
    uint32_t value = 0;
    const size_t n = rest.size() < 4 ? rest.size() : 4;
    if (n > 0)
        std::memcpy(&value, rest.data(), n);
    rest.remove_prefix(n);
    return static_cast<int32_t>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace quz::practice;
    quz::fuzz::Input input(data, size);
    const QString ticket = quz::files::fromCp1251(input.line());
    const QString question = quz::files::fromCp1251(input.line());
    const Range range{takeInt(input.rest), takeInt(input.rest)};
    const uint32_t seed = static_cast<uint32_t>(takeInt(input.rest));
    const bool random = !input.rest.empty() && (input.rest.front() & 1);

    RandomGenerator rng(seed);
    const Position next = advance({ticket, question}, range, random, rng);
    // Either the same ticket or a real one, and always a number of question.
    if (next.ticket != addZero(ticket)) {
        bool ok = false;
        const int newTicket = next.ticket.toInt(&ok);
        if (!ok || newTicket < 1 || newTicket > kTicketCount || next.ticket.size() != 2)
            std::abort();
    }
    bool isNumber = false;
    (void)next.question.toLongLong(&isNumber);
    if (!isNumber)
        std::abort();

    (void)clampQuestion(question, range.start, range.end, addZero(QString::number(range.start)),
                        addZero(QString::number(range.end)));
    if (startUp(range).start > kQuestionsPerTicket || endUp(range).end > kQuestionsPerTicket
        || startDown(range).start < 1 || endDown(range).end < 1)
        std::abort();
    const int value = editorValue(question, range.end);
    if (value < 1)
        std::abort();
    (void)quz::bank::pictureRelativePath(ticket, question);
    return 0;
}
