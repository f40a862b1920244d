#pragma once
// The comment bank: the whole comment file held as one Windows-1251 string
// (every line followed by CR LF), looked up by ticket and question with three
// substring searches over the whole text.

#include "files/outcome.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <string>
#include <string_view>

namespace quz::bank {

// The comment of one question: the text between the start marker
// (CR LF + question number + ". ") found at or after the ticket marker
// (CR LF + "билет" + ticket) and the end marker (CR LF + number + 1 + ".").
// Empty when a marker is missing. A question text that is not a number has
// no comment. A missing end marker can make the text run over most of the
// file; it is cut to kMaxCommentLength characters, far more than any comment
// of the file's layout holds, so that the comment window is never handed
// megabytes.
inline constexpr std::size_t kMaxCommentLength = 64 * 1024;

std::string lookupComment(std::string_view bank, std::string_view ticket,
                          std::string_view question);

QString commentCaption(const QString &ticket, const QString &question);

class CommentBank {
public:
    // Reads "koment.txt" (or any file) into the bank; on failure the bank
    // stays as it was. The file's bytes become the bank text in the buffer
    // they were read into.
    Status loadFile(const QString &path);
    void setText(std::string_view fileBytes);
    std::string_view text() const { return {m_text.constData(), size_t(m_text.size())}; }
    QString lookup(const QString &ticket, const QString &question) const;

private:
    QByteArray m_text;
};

} // namespace quz::bank
