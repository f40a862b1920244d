#include "core/bank/comment_bank.h"

#include "core/files/file_io.h"
#include "core/files/text_file.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace quz::bank {

CommentLayout locateComment(std::string_view bank, std::string_view ticket,
                            std::string_view question, const BankSearch &search)
{
    CommentLayout at;
    int n = 0;
    const auto parsed = std::from_chars(question.data(), question.data() + question.size(), n);
    if (parsed.ec != std::errc() || parsed.ptr != question.data() + question.size() || n < 0)
        return at;
    const auto find = [&](std::string_view pattern, size_t from) {
        return search ? search(pattern, from) : bank.find(pattern, from);
    };

    const std::string ticketMarker = "\r\n\xe1\xe8\xeb\xe5\xf2" + std::string(ticket);
    at.ticketMarker = find(ticketMarker, 0);
    const size_t from = at.ticketMarker == std::string_view::npos ? 0 : at.ticketMarker;

    const std::string startMarker = "\r\n" + std::to_string(n) + ". ";
    at.start = find(startMarker, from);
    // n may be the largest int (a hand-edited settings file): n + 1 in 64 bits.
    const std::string endMarker = "\r\n" + std::to_string(int64_t{n} + 1) + ".";
    // With no start the end is looked for from the second character on, and
    // the text runs from there: the beginning of the file without its first
    // character.
    const size_t textAt = at.start == std::string_view::npos ? 1 : at.start + 2;
    if (textAt > bank.size())
        return at;
    at.end = find(endMarker, textAt);
    if (at.end == std::string_view::npos || at.end <= textAt)
        return at;
    at.textBegin = textAt;
    at.textEnd = at.end;
    return at;
}

std::string lookupComment(std::string_view bank, std::string_view ticket, std::string_view question)
{
    const CommentLayout at = locateComment(bank, ticket, question);
    if (at.isEmpty())
        return {};
    return std::string(
        bank.substr(at.textBegin, std::min(at.textEnd - at.textBegin, kMaxCommentLength)));
}

QString commentCaption(const QString &ticket, const QString &question)
{
    return QStringLiteral("Комментарий к билету №") + ticket + QStringLiteral(", вопрос №")
           + question;
}

QString CommentBank::lookup(const QString &ticket, const QString &question) const
{
    return files::fromCp1251(
        lookupComment(text(), files::toCp1251(ticket), files::toCp1251(question)));
}

} // namespace quz::bank
