#include "core/journal/journal_file.h"

#include "core/files/file_io.h"
#include "core/files/native_names.h"

#include <cstring>

namespace quz::journal {

JournalLines parseJournal(QByteArray bytes) { return JournalLines::fromText(std::move(bytes)); }

QByteArray journalBytes(const JournalLines &lines)
{
    QByteArray bytes(lines.textSize() + 2 * lines.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (qsizetype row = 0; row < lines.size(); ++row) {
        const std::string_view line = lines.bytesAt(row);
        if (!line.empty())
            std::memcpy(out, line.data(), line.size());
        out += line.size();
        *out++ = '\r';
        *out++ = '\n';
    }
    return bytes;
}

Outcome<JournalLines> readJournalFile(const QString &path)
{
    Outcome<QByteArray> bytes =
        files::readFileBytes(files::nativePath(path), path, files::FileKind::Journal);
    if (!bytes)
        return Failure{bytes.error()};
    return parseJournal(std::move(bytes).value());
}

Status writeJournalFile(const QString &path, const JournalLines &lines)
{
    return files::writeFileAtomically(path, journalBytes(lines));
}

} // namespace quz::journal
