#pragma once
// What the question check and the comment check share: the file they check
// (its name, its bank text as the program holds it and the bytes behind a
// NUL byte that the program never sees), the scope of tickets and
// questions, and the findings with their limit per kind.
//
// Not responsible for: what is checked; each check derives from it.

#include "check/bank_index.h"
#include "check/finding.h"

#include <string_view>
#include <vector>

namespace quz::check {

// «билет» in Windows-1251: the word every header begins with.
inline constexpr std::string_view kTicketWord = "\xe1\xe8\xeb\xe5\xf2";

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

class BankChecker {
protected:
    BankChecker(const QString &file, const BankText &bank, const Scope &scope,
                std::string_view behindNul)
        : m_file(file)
        , m_bank(bank)
        , m_scope(scope)
        , m_behindNul(behindNul)
    {}

    int lineOf(size_t pos) const { return m_bank.lineOf(pos); }

    // Adds a finding on `line` (0-based, as the bank numbers lines) unless
    // kFindingsPerKind of its kind are kept already.
    void add(int line, const QString &kind, const QString &message,
             Severity severity = Severity::Problem)
    {
        if (m_limit.keep(kind))
            m_findings.push_back(Finding{m_file, line + 1, severity, kind, message});
    }
    // For checks that may run once per line of a hostile file: counts the
    // finding without wording it once its kind is full.
    bool skip(const QString &kind)
    {
        if (!m_limit.full(kind))
            return false;
        m_limit.keep(kind);
        return true;
    }
    // The numbers of the headers behind the NUL byte ("билет" and `digits`
    // digits), which the program loses with it.
    std::vector<int> numbersBehindNul(size_t digits) const
    {
        std::vector<int> numbers;
        for (size_t at = m_behindNul.find(kTicketWord); at != std::string_view::npos;
             at = m_behindNul.find(kTicketWord, at + kTicketWord.size())) {
            const std::string_view text = m_behindNul.substr(at + kTicketWord.size(), digits);
            int n = 0;
            for (const char c : text)
                n = isDigit(c) ? n * 10 + (c - '0') : -1;
            if (text.size() == digits && n >= 0)
                numbers.push_back(n);
        }
        return numbers;
    }
    // The findings, with a note for each kind of which some were left out.
    std::vector<Finding> takeFindings()
    {
        m_limit.addNotes(m_findings, m_file);
        return std::move(m_findings);
    }

    QString m_file;
    const BankText &m_bank;
    Scope m_scope;
    std::string_view m_behindNul;

private:
    std::vector<Finding> m_findings;
    KindLimit m_limit;
};

} // namespace quz::check
