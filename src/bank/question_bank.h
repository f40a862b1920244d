#pragma once
// The question bank: the whole question file held as one Windows-1251 string
// (every line followed by CR LF) and the lookup of one question by the
// two-digit ticket and question texts.
//
// The lookup works on substring searches over the whole text, as the question
// file's layout expects (a header line "билет" + ticket + question + answer
// digit, the question line, the variant lines, optionally one blank line,
// then the next header). It never reads outside the text: a key that is
// absent yields an empty result, and a text that ends inside the variant
// list ends the list there.
//
// One lookup is bounded, so that a damaged file (a variant list that never
// ends, a line of megabytes) costs no more than a sensible record: the list
// ends after kMaxVariants items, and the question text and every item are cut
// to kMaxLineLength characters (an item keeps the CR LF that ends it). Records
// of the question file's layout (2 to 5 variants of a few lines) lie far
// inside both bounds and come back unchanged.

#include "files/outcome.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quz::bank {

inline constexpr std::size_t kMaxVariants = 16;
inline constexpr std::size_t kMaxLineLength = 4096;

struct QuestionRaw {
    std::string answer;                // one character, empty when the key is absent
    std::string text;                  // the question line without its line end
    std::vector<std::string> variants; // each item with the CR LF that ends it
    bool found = false;
};

struct Question {
    QString answer;
    QString text;
    QStringList variants; // each item ends with "\r\n"
    bool found = false;
};

// "билет" + ticket + question, in Windows-1251.
std::string questionKey(std::string_view ticket, std::string_view question);

// Looks a question up in a bank text (already in the CR LF form).
QuestionRaw lookupQuestion(std::string_view bank, std::string_view ticket,
                           std::string_view question);

class QuestionBank {
public:
    // Reads "vopros.txt" (or any file) into the bank; on failure the bank
    // stays as it was and the failure names the file and the reason. The
    // file's bytes become the bank text in the buffer they were read into.
    Status loadFile(const QString &path);
    void setText(std::string_view fileBytes);

    std::string_view text() const { return {m_text.constData(), size_t(m_text.size())}; }
    bool isEmpty() const { return m_text.isEmpty(); }

    Question lookup(const QString &ticket, const QString &question) const;

private:
    QByteArray m_text;
};

} // namespace quz::bank
