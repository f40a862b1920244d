#include "core/journal/journal_file.h"

#include "core/files/file_io.h"
#include "core/files/text_file.h"

namespace quz::journal {

JournalLines parseJournal(QByteArrayView bytes)
{
    const std::vector<std::string_view> split =
        files::splitLines(std::string_view(bytes.data(), static_cast<size_t>(bytes.size())));
    JournalLines lines;
    lines.reserve(bytes.size(), static_cast<qsizetype>(split.size()));
    for (const std::string_view line : split)
        lines.appendBytes(line);
    return lines;
}

QByteArray journalBytes(const JournalLines &lines)
{
    qsizetype size = 0;
    for (qsizetype row = 0; row < lines.size(); ++row)
        size += static_cast<qsizetype>(lines.bytesAt(row).size()) + 2;
    QByteArray bytes;
    bytes.reserve(size);
    for (qsizetype row = 0; row < lines.size(); ++row) {
        const std::string_view line = lines.bytesAt(row);
        bytes.append(line.data(), static_cast<qsizetype>(line.size()));
        bytes.append("\r\n", 2);
    }
    return bytes;
}

Outcome<JournalLines> readJournalFile(const QString &path)
{
    const Outcome<QByteArray> bytes = files::readFileBytes(path, files::FileKind::Journal);
    if (!bytes)
        return Failure{bytes.error()};
    return parseJournal(*bytes);
}

Status writeJournalFile(const QString &path, const JournalLines &lines)
{
    return files::writeFileAtomically(path, journalBytes(lines));
}

} // namespace quz::journal
