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

// What a file named on the command line holds.
enum class DataKind { Questions, Comments, Journal, Picture };
struct DataFile {
    QByteArray path; // the bytes the system names it by
    DataKind kind;
};

// The kind of the file at `path`: the question and the comment file by their
// names, a picture by its content (a JPEG), anything else a journal.
DataKind kindOf(const QByteArray &path);

// Checks each file as what `kind` says it is. A journal's entries are looked
// up in the question file of `programDir` (when it can be read); a comment
// file goes with the question file beside it (a partial set's comments are
// checked for its tickets and questions only). Findings name each file as
// given.
Report checkFiles(const std::vector<DataFile> &files, const QByteArray &programDir,
                  const Scope &scope = {});

} // namespace quz::check
