#include "core/record/database_file.h"

#include "core/bank/data_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace quz::record {

namespace {

// What stands at `path`, in words, when it is not something the database may
// be opened over; empty when it may (absent, or a regular file).
QString obstacle(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat link {};
    if (::lstat(name.constData(), &link) != 0)
        return {}; // nothing there
    struct stat target {};
    if (::stat(name.constData(), &target) != 0)
        return QStringLiteral("символическая ссылка, которая никуда не ведёт");
    if (S_ISREG(target.st_mode))
        return {};
    if (S_ISDIR(target.st_mode))
        return QStringLiteral("папка");
    if (S_ISFIFO(target.st_mode))
        return QStringLiteral("именованный канал");
    if (S_ISSOCK(target.st_mode))
        return QStringLiteral("сокет");
    return QStringLiteral("устройство");
}

bool anyExists(const QString &path)
{
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
        return true;
    for (const QString &companion : companionPaths(path))
        if (QFileInfo::exists(companion) || QFileInfo(companion).isSymLink())
            return true;
    return false;
}

bool renameEntry(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace

QString databasePath(const QString &programDir)
{
    return QDir(programDir).filePath(bank::historyFileName());
}

QStringList companionPaths(const QString &path)
{
    return {path + QStringLiteral("-wal"), path + QStringLiteral("-shm")};
}

Status checkDatabasePath(const QString &path)
{
    QStringList paths{path};
    paths += companionPaths(path);
    for (const QString &p : paths) {
        const QString what = obstacle(p);
        if (!what.isEmpty())
            return Failure{QStringLiteral("на месте файла «%1» находится %2")
                               .arg(QFileInfo(p).fileName(), what)};
    }
    return {};
}

QString movedAsideName(const QString &path, const QDateTime &when)
{
    const QFileInfo info(path);
    const QString stamp = when.toString(QStringLiteral("yyyyMMdd-hhmmss"));
    for (int n = 1;; ++n) {
        const QString counter = n == 1 ? QString() : QStringLiteral("-%1").arg(n);
        const QString candidate = info.dir().filePath(
            QStringLiteral("%1.damaged-%2%3.sqlite").arg(info.completeBaseName(), stamp, counter));
        if (!anyExists(candidate))
            return candidate;
    }
}

Outcome<QString> moveAside(const QString &path, const QDateTime &when)
{
    const QString target = movedAsideName(path, when);
    if (!renameEntry(path, target))
        return Failure{
            QStringLiteral("не удаётся переименовать «%1»: %2")
                .arg(QFileInfo(path).fileName(), QString::fromLocal8Bit(std::strerror(errno)))};
    const QStringList from = companionPaths(path);
    const QStringList to = companionPaths(target);
    for (qsizetype i = 0; i < from.size(); ++i)
        if (QFileInfo::exists(from[i]) || QFileInfo(from[i]).isSymLink())
            renameEntry(from[i], to[i]);
    return target;
}

} // namespace quz::record
