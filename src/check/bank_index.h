#pragma once
// A bank text with the positions the checker needs: where each line starts
// (to turn a position into the line an editor shows) and an index of the
// substrings the lookups search for, built in one pass, so that all 800
// lookups of a large or hostile file cost one pass instead of 800.
//
// The index answers exactly what the bank's own find() would answer for the
// patterns the lookups use (question keys, ticket markers, comment start and
// end markers); any other pattern goes to find() itself.

#include "core/bank/question_bank.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quz::check {

class BankText {
public:
    // `bank` is a bank text as the program holds it: lines each ending in CR LF.
    explicit BankText(std::string bank);

    const std::string &text() const { return m_text; }
    std::string_view view() const { return m_text; }

    // Lines are numbered from 0 here; an editor shows line i as i + 1.
    int lineCount() const { return static_cast<int>(m_starts.size()); }
    // The line that holds position pos (the last line for a position at the end).
    int lineOf(size_t pos) const;
    size_t lineStart(int line) const;
    // The line without its CR LF.
    std::string_view line(int line) const;
    // Start of the line after `line` (the text's size after the last one).
    size_t lineEnd(int line) const;

    // Every position where the ticket word is followed by 4 more characters,
    // grouped by those 9 characters (a question key), in text order.
    const std::vector<size_t> &keyOccurrences(std::string_view key) const;

    // The searches of the question and comment lookups, answered from the index.
    bank::BankSearch search() const;
    size_t find(std::string_view pattern, size_t from) const;

private:
    std::string m_text;
    std::vector<size_t> m_starts;
    std::unordered_map<std::string, std::vector<size_t>> m_keys;
    // Positions of a CR LF, grouped by the marker that starts there:
    // "\r\nбилет" + 2 characters, "\r\n" + digits + "." and "\r\n" + digits + ". ".
    std::unordered_map<std::string, std::vector<size_t>> m_markers;
};

} // namespace quz::check
