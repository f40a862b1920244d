#pragma once
// Paths as the file system names files: bytes, not text. A name that is not
// UTF-8 (Windows-1251 names, as archives made on Windows carry them) cannot
// be held in a QString path without loss, so the checker lists, tests and
// opens files by their bytes, and turns a name into text only to show it.
//
// Not responsible for: reading a file's content (core/files/file_io.h does)
// or showing a name (files::readablePath() in core/files/native_names.h).

#include "core/files/file_io.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace quz::check {

// `dir` + "/" + `name`, without a "./" in front ("." + "a" is "a") and
// without a doubled "/".
QByteArray joinNative(const QByteArray &dir, const QByteArray &name);

// What a path names, links followed.
enum class EntryType { Missing, File, Folder, Other };
struct PathState {
    EntryType type = EntryType::Missing;
    int error = 0; // the system's error number when the path cannot be examined
};
PathState examine(const QByteArray &path);

// The file named by the bytes `native`, read as files::readFileBytes() reads;
// a failure shows the name readably.
Outcome<QByteArray> readNative(const QByteArray &native, files::FileKind kind);

// The names in folder `dir` (without "." and ".."), sorted as a person
// reads them; empty when the folder cannot be read.
std::vector<QByteArray> folderEntries(const QByteArray &dir);

} // namespace quz::check
