#include "core/bank/question_bank.h"

#include "core/files/file_io.h"
#include "core/files/text_file.h"

namespace quz::bank {

namespace {

constexpr std::string_view kCrLf = "\r\n";
// The word that opens every header line, in Windows-1251.
constexpr std::string_view kTicketWord = "\xe1\xe8\xeb\xe5\xf2";

// `piece` cut to kMaxLineLength characters; a cut piece keeps its line end.
std::string_view boundedText(std::string_view piece) { return piece.substr(0, kMaxLineLength); }

std::string boundedItem(std::string_view piece)
{
    if (piece.size() <= kMaxLineLength + kCrLf.size())
        return std::string(piece);
    std::string item(piece.substr(0, kMaxLineLength));
    if (piece.ends_with(kCrLf))
        item += kCrLf;
    return item;
}

} // namespace

bool containsTicketWord(std::string_view piece)
{
    return piece.find(kTicketWord) != std::string_view::npos;
}

// True when nothing but blanks and control characters is left.
bool isBlankPiece(std::string_view piece)
{
    for (const char c : piece)
        if (static_cast<unsigned char>(c) > 0x20)
            return false;
    return true;
}

std::string questionKey(std::string_view ticket, std::string_view question)
{
    std::string key(kTicketWord);
    key += ticket;
    key += question;
    return key;
}

QuestionLayout locateQuestion(std::string_view bank, std::string_view ticket,
                              std::string_view question, const BankSearch &search)
{
    QuestionLayout at;
    const std::string key = questionKey(ticket, question);
    const size_t p = search ? search(key, 0) : bank.find(key);
    if (p == std::string_view::npos || p >= bank.size())
        return at;
    at.key = p;

    // The answer digit follows the 9-character key (positions count characters:
    // a key built from numbers of other lengths shifts them the same way).
    const size_t digitAt = p + 9;
    if (digitAt < bank.size())
        at.answer = digitAt;

    // The question line starts after the key, the digit and the header's CR LF.
    const size_t textAt = p + 12;
    if (textAt >= bank.size())
        return at;
    size_t e = bank.find(kCrLf, textAt);
    at.textBegin = textAt;
    if (e == std::string_view::npos) {
        at.textEnd = bank.size();
        return at;
    }
    at.textEnd = e;

    // Variant lines, two at a time. `e` is the CR that ends the line read last.
    // A search starts one character into the next line, so that an empty next
    // line is joined to the line after it instead of ending the list. Each
    // piece runs through its own CR LF. The end of the text ends the list, and
    // so does the kMaxVariants-th item.
    for (;;) {
        const size_t a = bank.find(kCrLf, e + 2 + 1);
        if (a == std::string_view::npos) {
            at.end = QuestionLayout::End::EndOfText;
            break;
        }
        std::pair<size_t, size_t> last{e + 2, a + 2};
        if (!containsTicketWord(bank.substr(e + 2, a - e))) {
            at.variants.push_back(last);
            if (at.variants.size() == kMaxVariants) {
                at.end = QuestionLayout::End::Bounded;
                break;
            }
            const size_t b = bank.find(kCrLf, a + 2 + 1);
            if (b == std::string_view::npos) {
                at.end = QuestionLayout::End::EndOfText;
                break;
            }
            last = {a + 2, b + 2};
            if (!containsTicketWord(bank.substr(a + 2, b - a)))
                at.variants.push_back(last);
            e = b;
        }
        const std::string_view piece = bank.substr(last.first, last.second - last.first);
        if (containsTicketWord(piece) || isBlankPiece(piece)) {
            at.end = containsTicketWord(piece) ? QuestionLayout::End::TicketWord
                                               : QuestionLayout::End::Blank;
            at.stop = last;
            break;
        }
        if (at.variants.size() >= kMaxVariants) {
            at.end = QuestionLayout::End::Bounded;
            break;
        }
    }
    return at;
}

QuestionRaw lookupQuestion(std::string_view bank, std::string_view ticket,
                           std::string_view question)
{
    const QuestionLayout at = locateQuestion(bank, ticket, question);
    QuestionRaw result;
    if (at.key == QuestionLayout::npos)
        return result;
    result.found = true;
    if (at.answer != QuestionLayout::npos)
        result.answer.assign(1, bank[at.answer]);
    if (at.textBegin != QuestionLayout::npos)
        result.text.assign(boundedText(bank.substr(at.textBegin, at.textEnd - at.textBegin)));
    for (const auto &[begin, end] : at.variants)
        result.variants.push_back(boundedItem(bank.substr(begin, end - begin)));
    return result;
}

Question QuestionBank::lookup(const QString &ticket, const QString &question) const
{
    const QuestionRaw raw =
        lookupQuestion(text(), files::toCp1251(ticket), files::toCp1251(question));
    Question q;
    q.found = raw.found;
    q.answer = files::fromCp1251(raw.answer);
    q.text = files::fromCp1251(raw.text);
    for (const auto &item : raw.variants)
        q.variants << files::fromCp1251(item);
    return q;
}

} // namespace quz::bank
