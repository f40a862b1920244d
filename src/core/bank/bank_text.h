#pragma once
// The text both banks are searched in: a data file's lines joined with CR LF
// after every line, held as one Windows-1251 byte string.

#include "core/files/outcome.h"

#include <QByteArray>
#include <QString>

#include <string_view>

namespace quz::bank {

// What the question bank and the comment bank share: reading their file and
// holding its text. Not responsible for lookups (each bank has its own).
class BankText {
public:
    // Reads a bank file; on failure the text stays as it was and the failure
    // names the file and the reason. The file's bytes become the text in the
    // buffer they were read into.
    Status loadFile(const QString &path);
    void setText(std::string_view fileBytes);

    std::string_view text() const { return {m_text.constData(), size_t(m_text.size())}; }
    bool isEmpty() const { return m_text.isEmpty(); }

private:
    QByteArray m_text;
};

} // namespace quz::bank
