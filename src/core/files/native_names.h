#pragma once
// File names as the file system holds them: bytes, which need not be UTF-8.
// Archives made on Windows carry names in Windows-1251, which Qt's own
// decoding of file names cannot read back. Such a name is shown in a readable
// form (each part of the path that is not UTF-8 read as Windows-1251), and a
// path given in that form finds the file by its bytes again.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace quz::files {

// The readable form of the path `native`: each part between slashes as
// UTF-8 when it is valid UTF-8, as Windows-1251 when it is not.
QString readablePath(QByteArrayView native);

// The bytes of the file that the readable path `path` names: its UTF-8 bytes
// when they name an existing file; otherwise, part by part from the left,
// the entry of the folder whose readable form is that part. When no entry
// matches, the UTF-8 bytes (which then name no file, and reading fails with
// the system's reason).
QByteArray nativePath(const QString &path);

} // namespace quz::files
