#include "core/files/native_names.h"

#include "core/files/text_file.h"

#include <QFile>
#include <QList>

#include <dirent.h>
#include <sys/stat.h>

namespace quz::files {

namespace {

QString readablePart(QByteArrayView part)
{
    if (part.isValidUtf8())
        return QString::fromUtf8(part);
    return fromCp1251(std::string_view(part.data(), static_cast<size_t>(part.size())));
}

bool exists(const QByteArray &native)
{
    struct stat st {};
    return ::lstat(native.constData(), &st) == 0;
}

// The entry of `folder` whose readable form is `part`; empty when none is.
QByteArray entryReadAs(const QByteArray &folder, const QString &part)
{
    DIR *listing = ::opendir(folder.isEmpty() ? "." : folder.constData());
    if (!listing)
        return {};
    QByteArray found;
    while (const dirent *entry = ::readdir(listing)) {
        const QByteArrayView name(entry->d_name);
        if (readablePart(name) == part) {
            found = name.toByteArray();
            break;
        }
    }
    ::closedir(listing);
    return found;
}

} // namespace

QString readablePath(QByteArrayView native)
{
    QString readable;
    qsizetype from = 0;
    for (;;) {
        const qsizetype slash = native.indexOf('/', from);
        const qsizetype end = slash < 0 ? native.size() : slash;
        readable += readablePart(native.sliced(from, end - from));
        if (slash < 0)
            return readable;
        readable += u'/';
        from = slash + 1;
    }
}

QByteArray nativePath(const QString &path)
{
    const QByteArray utf8 = QFile::encodeName(path);
    if (path.isEmpty() || exists(utf8))
        return utf8;
    const QList<QStringView> parts = QStringView(path).split(u'/');
    QByteArray resolved;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            resolved += '/';
        const QString part = parts.at(i).toString();
        const QByteArray asUtf8 = resolved + QFile::encodeName(part);
        if (part.isEmpty() || exists(asUtf8)) {
            resolved = asUtf8;
            continue;
        }
        const QByteArray entry = entryReadAs(resolved, part);
        if (entry.isEmpty())
            return utf8;
        resolved += entry;
    }
    return resolved;
}

} // namespace quz::files
