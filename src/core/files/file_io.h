#pragma once
// Whole-file reading and writing for every file the program touches.
//
// Reading takes one copy of the bytes, into the buffer the caller keeps, and
// refuses files above a limit that depends on what the file is for, so that a
// damaged or hostile file in the program directory cannot exhaust memory.
// Writing replaces a file atomically: the old content stays whole until the
// new one is on disk.

#include "core/files/outcome.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace quz::files {

// What a file is for; each kind has its own size limit.
enum class FileKind {
    Bank,     // "vopros.txt", "koment.txt"
    Notes,    // "Установка!!!.txt", "Help.txt"
    Journal,  // journal files
    Picture,  // the JPEG pictures of the questions
    Bitmap,   // the placeholder "emp.bmp"
    Settings, // the settings file
};

// The largest file of `kind` that is read, in bytes.
qint64 sizeLimit(FileKind kind);

// `Cannot open file "<full path>". <reason>`
QString openFailure(const QString &path, const QString &reason);

// Reads the whole regular file at `path`. Fails with openFailure() when the
// file cannot be opened or read (the system's reason), is not a regular file
// (a folder, a device, a pipe) or is larger than sizeLimit(kind). Never
// blocks on a pipe or reads more than the limit.
Outcome<QByteArray> readFileBytes(const QString &path, FileKind kind);
// The same for the file whose path is the system's bytes `native` (which need
// not be UTF-8, native_names.h); a failure names it `shown`.
Outcome<QByteArray> readFileBytes(const QByteArray &native, const QString &shown, FileKind kind);

// Asks the system to back a large buffer that is about to be filled with huge
// pages where it offers them: a 20 MB journal is then read with a few page
// faults instead of five thousand, which in a new process are most of the
// time its reading takes. A hint only, for buffers of 4 MiB and more; nothing
// changes where the system refuses it.
void preferHugePages(void *data, qsizetype size);

// Whether a file (not a folder) exists at `path`.
bool isFile(const QString &path);

// One version of a file as the file system describes it (links followed):
// any write, in place or by renaming a new file over it, gives another.
struct FileStamp {
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    bool operator==(const FileStamp &) const = default;
};
FileStamp fileStamp(const QString &path);

// Replaces the file at `path` by `bytes`:
//  - the new content goes to a temporary file in the same folder
//    ("<name>.<process id>-XXXXXX.tmp"), is flushed to disk and renamed over
//    the old file;
//  - a symbolic link is written through: its target is replaced, the link stays;
//  - the old file's permission bits are kept (a new file gets the usual ones);
//  - a file the user made read-only, or that is not a regular file, is
//    refused and left as it is;
//  - temporary files that an earlier, interrupted write left beside the file
//    are removed: those of a process that no longer runs at once, any other
//    once it is older than a minute.
// On failure (`Cannot create file "<full path>". <reason>`) the old file is
// unchanged and no temporary file is left behind.
Status writeFileAtomically(const QString &path, QByteArrayView bytes);

} // namespace quz::files
