#pragma once
// The whole check of a program directory (question file, comment file,
// pictures, placeholder, notes) and of journal files, as one report.

#include "check/finding.h"

#include <QByteArray>

namespace quz::check {

// The data files in the order a report lists them.
QStringList programFileOrder();

// Checks the program directory `dir`, and the journal files ("*.quz") kept
// in it. Findings name their files relative to `dir`.
// `dir` as the bytes the system names it by; findings then carry those bytes
// too (Finding::native), and `path` as a person reads it.
Report checkProgramDirectory(const QByteArray &dir, const Scope &scope = {});
Report checkProgramDirectory(const QString &dir, const Scope &scope = {});

// Checks journal files; the question file of `programDir` (when it can be
// read) tells what the program shows for an entry that names no question.
// Findings name each journal as given in `paths`.
Report checkJournalFiles(const std::vector<QByteArray> &paths, const QByteArray &programDir,
                         const Scope &scope = {});

} // namespace quz::check
