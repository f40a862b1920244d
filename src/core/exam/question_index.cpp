#include "core/exam/question_index.h"

#include "core/exam/exam_rules.h"
#include "core/files/text_file.h"

#include <QString>

#include <string>

namespace quz::exam {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

int twoDigitValue(std::string_view text, std::size_t at)
{
    const auto digit = [&](std::size_t i) {
        return static_cast<unsigned>(static_cast<unsigned char>(text[i])) - unsigned('0');
    };
    if (digit(at) > 9 || digit(at + 1) > 9)
        return -1;
    return static_cast<int>(digit(at) * 10 + digit(at + 1));
}

std::size_t slot(int ticket, int question)
{
    if (ticket < 1 || ticket > kTicketCount || question < 1 || question > kMainQuestions)
        return kNone;
    return static_cast<std::size_t>((ticket - 1) * kMainQuestions + question - 1);
}

std::string twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')).toStdString();
}

} // namespace

QuestionIndex::QuestionIndex(const bank::QuestionBank &bank)
    : m_bank(&bank)
{
    m_first.fill(kNone);
    const std::string_view text = bank.text();
    m_size = text.size();
    const std::string word = bank::questionKey({}, {});
    for (std::size_t at = text.find(word); at != kNone; at = text.find(word, at + 1)) {
        const std::size_t digits = at + word.size();
        if (digits + 4 > text.size())
            break;
        const std::size_t s = slot(twoDigitValue(text, digits), twoDigitValue(text, digits + 2));
        if (s != kNone && m_first[s] == kNone)
            m_first[s] = at;
    }
}

bank::Question QuestionIndex::lookup(int ticket, int question) const
{
    const std::string ticketText = twoDigits(ticket);
    const std::string questionText = twoDigits(question);
    std::string_view text = m_bank->text();
    const std::size_t s = slot(ticket, question);
    if (s != kNone && text.size() == m_size) {
        const std::size_t at = m_first[s];
        if (at == kNone)
            return {};
        // The record is read forward from its key only, so the text from
        // the key on gives the same record as the whole bank.
        if (text.substr(at).starts_with(bank::questionKey(ticketText, questionText)))
            text = text.substr(at, kRecordWindow);
    }
    const bank::QuestionRaw raw = bank::lookupQuestion(text, ticketText, questionText);
    bank::Question q;
    q.found = raw.found;
    q.answer = files::fromCp1251(raw.answer);
    q.text = files::fromCp1251(raw.text);
    for (const std::string &item : raw.variants)
        q.variants << files::fromCp1251(item);
    return q;
}

} // namespace quz::exam
