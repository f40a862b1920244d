// Question and comment lookups on arbitrary bank texts: never read outside
// the text, always end.
#include "bank/comment_bank.h"
#include "bank/question_bank.h"
#include "files/text_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string bank =
        quz::files::normaliseLines(std::string_view(reinterpret_cast<const char *>(data), size));
    static const char *const numbers[] = {"01", "02", "10", "20", "40", "7", "", "xx"};
    for (const char *t : numbers)
        for (const char *q : numbers) {
            const auto r = quz::bank::lookupQuestion(bank, t, q);
            for (const auto &item : r.variants)
                if (item.size() > bank.size())
                    std::abort();
            if (quz::bank::lookupComment(bank, t, q).size() > bank.size())
                std::abort();
        }
    return 0;
}
