#include "check/bank_index.h"

#include <algorithm>

namespace quz::check {

namespace {

constexpr std::string_view kTicketWord = "\xe1\xe8\xeb\xe5\xf2";
constexpr std::string_view kCrLf = "\r\n";
// Longest number a marker index holds; longer ones go to find().
constexpr size_t kMaxDigits = 10;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

size_t firstAtOrAfter(const std::vector<size_t> &positions, size_t from)
{
    const auto it = std::lower_bound(positions.begin(), positions.end(), from);
    return it == positions.end() ? std::string_view::npos : *it;
}

// Whether `digits` is 1..kMaxDigits ASCII digits.
bool isNumber(std::string_view digits)
{
    return !digits.empty() && digits.size() <= kMaxDigits
           && std::all_of(digits.begin(), digits.end(), isDigit);
}

} // namespace

BankText::BankText(std::string bank)
    : m_text(std::move(bank))
{
    const std::string_view text = m_text;
    m_starts.push_back(0);
    for (size_t c = text.find(kCrLf); c != std::string_view::npos; c = text.find(kCrLf, c + 2)) {
        if (c + 2 < text.size())
            m_starts.push_back(c + 2);
        const size_t after = c + 2;
        if (text.substr(after, kTicketWord.size()) == kTicketWord && c + 9 <= text.size()) {
            m_markers[std::string(text.substr(c, 9))].push_back(c);
            continue;
        }
        size_t i = after;
        while (i < text.size() && isDigit(text[i]) && i - after <= kMaxDigits)
            ++i;
        if (i == after || i - after > kMaxDigits || i >= text.size() || text[i] != '.')
            continue;
        m_markers[std::string(text.substr(c, i + 1 - c))].push_back(c);
        if (i + 1 < text.size() && text[i + 1] == ' ')
            m_markers[std::string(text.substr(c, i + 2 - c))].push_back(c);
    }
    if (text.empty())
        m_starts.clear();

    for (size_t p = text.find(kTicketWord); p != std::string_view::npos;
         p = text.find(kTicketWord, p + kTicketWord.size()))
        if (p + 9 <= text.size())
            m_keys[std::string(text.substr(p, 9))].push_back(p);
}

int BankText::lineOf(size_t pos) const
{
    if (m_starts.empty())
        return 0;
    const auto it = std::upper_bound(m_starts.begin(), m_starts.end(), pos);
    return static_cast<int>(it - m_starts.begin()) - 1;
}

size_t BankText::lineStart(int line) const
{
    if (line < 0)
        return 0;
    if (line >= lineCount())
        return m_text.size();
    return m_starts[static_cast<size_t>(line)];
}

size_t BankText::lineEnd(int line) const { return lineStart(line + 1); }

std::string_view BankText::line(int line) const
{
    if (line < 0 || line >= lineCount())
        return {};
    const size_t begin = lineStart(line);
    size_t end = lineEnd(line);
    // Every line of a bank ends in CR LF; the last one of a text that does
    // not is taken as it stands.
    if (end >= begin + 2 && m_text.compare(end - 2, 2, kCrLf) == 0)
        end -= 2;
    return view().substr(begin, end - begin);
}

const std::vector<size_t> &BankText::keyOccurrences(std::string_view key) const
{
    static const std::vector<size_t> none;
    const auto it = m_keys.find(std::string(key));
    return it == m_keys.end() ? none : it->second;
}

size_t BankText::find(std::string_view pattern, size_t from) const
{
    if (pattern.size() == 9 && pattern.substr(0, kTicketWord.size()) == kTicketWord) {
        const auto it = m_keys.find(std::string(pattern));
        return it == m_keys.end() ? std::string_view::npos : firstAtOrAfter(it->second, from);
    }
    if (pattern.substr(0, 2) == kCrLf) {
        const std::string_view rest = pattern.substr(2);
        bool indexed = false;
        if (rest.substr(0, kTicketWord.size()) == kTicketWord)
            indexed = rest.size() == kTicketWord.size() + 2;
        else if (rest.size() >= 2 && rest.substr(rest.size() - 2) == ". ")
            indexed = isNumber(rest.substr(0, rest.size() - 2));
        else if (!rest.empty() && rest.back() == '.')
            indexed = isNumber(rest.substr(0, rest.size() - 1));
        if (indexed) {
            const auto it = m_markers.find(std::string(pattern));
            return it == m_markers.end() ? std::string_view::npos
                                         : firstAtOrAfter(it->second, from);
        }
    }
    return view().find(pattern, from);
}

bank::BankSearch BankText::search() const
{
    return [this](std::string_view pattern, size_t from) { return find(pattern, from); };
}

} // namespace quz::check
