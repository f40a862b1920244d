#pragma once
// Journal files: plain Windows-1251 text, one journal line per text line, in
// journal order, each line (the last one too) followed by CR LF; no header,
// count or checksum. Reading accepts CR LF, a lone CR and a lone LF as line
// ends, and an empty line is a journal line. Every other byte belongs to its
// line, a NUL byte too: no byte of a journal file is dropped, so that a save
// writes back every line that was read. Any file name is accepted; ".quz" is
// only the chooser's default.

#include "core/files/outcome.h"
#include "core/journal/journal_lines.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace quz::journal {

// The lines of a journal file's bytes (JournalLines::fromText), kept in
// `bytes`' own buffer.
JournalLines parseJournal(QByteArray bytes);

// The bytes of a journal file holding `lines`.
QByteArray journalBytes(const JournalLines &lines);

// Reads the journal file at `path`, which may give a name that is not UTF-8
// in its readable form (native_names.h); a file that cannot be read fails
// with the file layer's text.
Outcome<JournalLines> readJournalFile(const QString &path);

// Replaces the file at `path` by a journal file of `lines`, atomically: when
// the write fails, the file that was there is left as it was.
Status writeJournalFile(const QString &path, const JournalLines &lines);

} // namespace quz::journal
