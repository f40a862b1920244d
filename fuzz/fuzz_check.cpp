// The data checker on arbitrary question and comment files: it always ends,
// its index answers as find() does, and every finding names a line of the
// file.
#include "check/advice.h"
#include "check/bank_index.h"
#include "check/comment_check.h"
#include "check/question_check.h"
#include "check/text_check.h"
#include "core/files/text_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const quz::check::BankText bank(quz::files::normaliseLines(bytes));
    const std::string_view text = bank.view();
    for (const char *pattern : {"\xe1\xe8\xeb\xe5\xf2"
                                "0101",
                                "\r\n\xe1\xe8\xeb\xe5\xf2"
                                "01",
                                "\r\n1. ", "\r\n2.", "\r\n21."})
        for (size_t from : {size_t(0), size_t(1), text.size() / 2})
            if (bank.find(pattern, from) != text.find(pattern, from))
                std::abort();

    const quz::check::Scope scope{3, 4};
    const size_t nul = bytes.find('\0');
    const std::string_view behind = nul == std::string_view::npos ? "" : bytes.substr(nul);
    const auto lines = bank.lineCount();
    const auto inFile = [&](const quz::check::Finding &f) {
        return f.line >= 0 && f.line <= lines + 1;
    };
    for (const auto &f :
         quz::check::checkQuestions(QStringLiteral("v"), bank, scope, behind).findings)
        if (!inFile(f))
            std::abort();
    for (const auto &f :
         quz::check::checkComments(QStringLiteral("k"), bank, scope, behind).findings)
        if (!inFile(f))
            std::abort();
    for (const auto &f :
         quz::check::checkText(QStringLiteral("t"), bytes, quz::check::TextRole::Journal).findings)
        if (f.line < 0)
            std::abort();

    // Any bytes as a file name: the advice names it in plain printable
    // characters, as one quoted word.
    const QByteArray name(reinterpret_cast<const char *>(data),
                          static_cast<qsizetype>(std::min<size_t>(size, 256)));
    const QString command =
        quz::check::conversionCommand(name.left(name.indexOf('\0')), quz::check::Encoding::Utf8);
    for (const QChar c : command)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            std::abort();
    return 0;
}
