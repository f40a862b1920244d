#include "bank/comment_bank.h"

#include "files/file_io.h"
#include "files/text_file.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace quz::bank {

std::string lookupComment(std::string_view bank, std::string_view ticket, std::string_view question)
{
    int n = 0;
    const auto parsed = std::from_chars(question.data(), question.data() + question.size(), n);
    if (parsed.ec != std::errc() || parsed.ptr != question.data() + question.size() || n < 0)
        return {};

    const std::string ticketMarker = "\r\n\xe1\xe8\xeb\xe5\xf2" + std::string(ticket);
    const size_t t = bank.find(ticketMarker);
    const size_t from = t == std::string_view::npos ? 0 : t;

    const std::string startMarker = "\r\n" + std::to_string(n) + ". ";
    const size_t a = bank.find(startMarker, from);
    // n may be the largest int (a hand-edited settings file): n + 1 in 64 bits.
    const std::string endMarker = "\r\n" + std::to_string(int64_t{n} + 1) + ".";
    // With no start the end is looked for from the second character on, and
    // the text runs from there: the beginning of the file without its first
    // character.
    const size_t textAt = a == std::string_view::npos ? 1 : a + 2;
    if (textAt > bank.size())
        return {};
    const size_t b = bank.find(endMarker, textAt);
    if (b == std::string_view::npos || b <= textAt)
        return {};
    return std::string(bank.substr(textAt, std::min(b - textAt, kMaxCommentLength)));
}

QString commentCaption(const QString &ticket, const QString &question)
{
    return QStringLiteral("Комментарий к билету №") + ticket + QStringLiteral(", вопрос №")
           + question;
}

Status CommentBank::loadFile(const QString &path)
{
    Outcome<QByteArray> bytes = files::readFileBytes(path, files::FileKind::Bank);
    if (!bytes)
        return Failure{bytes.error()};
    m_text = std::move(bytes).value();
    files::normaliseLinesInPlace(m_text);
    return {};
}

void CommentBank::setText(std::string_view fileBytes)
{
    m_text = QByteArray(fileBytes.data(), static_cast<qsizetype>(fileBytes.size()));
    files::normaliseLinesInPlace(m_text);
}

QString CommentBank::lookup(const QString &ticket, const QString &question) const
{
    return files::fromCp1251(
        lookupComment(text(), files::toCp1251(ticket), files::toCp1251(question)));
}

} // namespace quz::bank
