#include "core/files/file_io.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quz::files {

namespace {

constexpr qint64 kMiB = 1024 * 1024;

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QString fullPath(const QString &path) { return QFileInfo(path).absoluteFilePath(); }

QString createFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot create file \"%1\". %2").arg(fullPath(path), reason);
}

class Descriptor {
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// The file a write to `path` must replace: `path` itself, or the final
// target of the symbolic links it names (which may not exist yet).
QString writeTarget(const QString &path)
{
    QString current = fullPath(path);
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return current;
        const QByteArray link = QFile::encodeName(current);
        char buffer[4096];
        const ssize_t length = ::readlink(link.constData(), buffer, sizeof buffer - 1);
        if (length <= 0)
            return current;
        const QString next = QFile::decodeName(QByteArray(buffer, static_cast<qsizetype>(length)));
        current =
            QDir::cleanPath(QDir::isAbsolutePath(next) ? next : info.absolutePath() + u'/' + next);
    }
    return current;
}

// The temporary file of a write of `target` by this process:
// "<name>.<process id>-XXXXXX.tmp" beside it.
QString temporaryTemplate(const QString &target)
{
    // One pass of arg(): a "%2" inside the path stays as it is.
    return QStringLiteral("%1.%2-XXXXXX.tmp").arg(target, QString::number(::getpid()));
}

// Whether the temporary file `name` of a write of `fileName` was left by an
// interrupted write: its process no longer runs (or is this one, which writes
// one file at a time), or it is older than a minute (a name without a process
// id, or an id that a new process has taken over).
bool isStaleTemporary(const QFileInfo &file, const QString &fileName, const QDateTime &before)
{
    if (file.lastModified().toUTC() < before)
        return true;
    const QString middle =
        file.fileName().mid(fileName.size() + 1).chopped(4); // between "<name>." and ".tmp"
    const qsizetype dash = middle.indexOf(u'-');
    bool isNumber = false;
    const qint64 pid = dash > 0 ? middle.left(dash).toLongLong(&isNumber) : 0;
    if (!isNumber || pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return false;
    if (pid == ::getpid())
        return true;
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// Removes the temporary files that interrupted writes of `target` left
// beside it ("<name>.*.tmp", isStaleTemporary).
void removeStaleTemporaries(const QString &target)
{
    const QFileInfo info(target);
    const QDir folder = info.absoluteDir();
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-60);
    const QStringList names = folder.entryList({info.fileName() + QStringLiteral(".*.tmp")},
                                               QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        const QFileInfo stale(folder.filePath(name));
        if (isStaleTemporary(stale, info.fileName(), before))
            QFile::remove(stale.absoluteFilePath());
    }
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

qint64 sizeLimit(FileKind kind)
{
    switch (kind) {
    case FileKind::Bank: return 64 * kMiB;
    case FileKind::Notes: return 16 * kMiB;
    case FileKind::Journal: return 64 * kMiB;
    case FileKind::Picture: return 64 * kMiB;
    case FileKind::Bitmap: return 64 * kMiB;
    case FileKind::Settings: return 1 * kMiB;
    }
    return 0;
}

void preferHugePages(void *data, qsizetype size)
{
#ifdef MADV_HUGEPAGE
    constexpr qsizetype kHugePage = 2 * kMiB;
    if (size < 2 * kHugePage)
        return;
    const auto page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto at = reinterpret_cast<uintptr_t>(data);
    const uintptr_t begin = (at + page - 1) & ~(page - 1);
    const uintptr_t end = (at + static_cast<uintptr_t>(size)) & ~(page - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)data;
    (void)size;
#endif
}

QString openFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot open file \"%1\". %2").arg(fullPath(path), reason);
}

Outcome<QByteArray> readFileBytes(const QString &path, FileKind kind)
{
    return readFileBytes(QFile::encodeName(path), path, kind);
}

Outcome<QByteArray> readFileBytes(const QByteArray &name, const QString &path, FileKind kind)
{
    // Non-blocking, so that a pipe named like a data file cannot hang the open.
    const Descriptor fd(::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0)
        return Failure{openFailure(path, systemReason(errno))};
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return Failure{openFailure(path, systemReason(errno))};
    if (S_ISDIR(st.st_mode))
        return Failure{openFailure(path, systemReason(EISDIR))};
    if (!S_ISREG(st.st_mode))
        return Failure{openFailure(path, QStringLiteral("Not a regular file"))};
    const qint64 limit = sizeLimit(kind);
    if (st.st_size > limit)
        return Failure{
            openFailure(path, QStringLiteral("File too large (%1 bytes; at most %2 bytes are read)")
                                  .arg(st.st_size)
                                  .arg(limit))};

    // One buffer of the size the file has and one byte more, so that the end
    // of the file is found without growing it (a larger buffer would be a
    // second copy while the first is still held). A file that grows meanwhile
    // is read on up to the limit.
    QByteArray bytes(static_cast<qsizetype>(st.st_size + 1), Qt::Uninitialized);
    preferHugePages(bytes.data(), bytes.size());
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > limit)
                return Failure{openFailure(
                    path, QStringLiteral("File too large (more than %1 bytes)").arg(limit))};
            bytes.resize(
                static_cast<qsizetype>(std::min(limit + 1, std::max<qint64>(4096, filled * 2))));
        }
        const ssize_t got =
            ::read(fd.get(), bytes.data() + filled, static_cast<size_t>(bytes.size() - filled));
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return Failure{openFailure(path, systemReason(errno))};
        }
        filled += got;
    }
    bytes.truncate(static_cast<qsizetype>(filled));
    return bytes;
}

bool isFile(const QString &path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

FileStamp fileStamp(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    const auto ns = [](const timespec &t) { return qint64(t.tv_sec) * 1000000000 + t.tv_nsec; };
    return {true,       quint64(st.st_dev), quint64(st.st_ino),
            st.st_size, ns(st.st_mtim),     ns(st.st_ctim)};
}

Status writeFileAtomically(const QString &path, QByteArrayView bytes)
{
    const QString target = writeTarget(path);
    const QFileInfo info(target);
    const QByteArray targetName = QFile::encodeName(target);

    mode_t mode = newFileMode();
    struct stat st {};
    if (::stat(targetName.constData(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return Failure{createFailure(path, S_ISDIR(st.st_mode)
                                                   ? systemReason(EISDIR)
                                                   : QStringLiteral("Not a regular file"))};
        // A file the user made read-only stays as it is, even where the
        // folder would allow replacing it (and also for the superuser, whom
        // the system would let write anyway).
        if ((st.st_mode & 0222) == 0)
            return Failure{createFailure(path, systemReason(EACCES))};
        if (::access(targetName.constData(), W_OK) != 0)
            return Failure{createFailure(path, systemReason(errno))};
        mode = st.st_mode & 07777;
    }

    removeStaleTemporaries(target);

    QTemporaryFile temporary(temporaryTemplate(target));
    if (!temporary.open())
        return Failure{createFailure(path, temporary.errorString())};
    const int fd = temporary.handle();
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t put =
            ::write(fd, bytes.data() + written, static_cast<size_t>(bytes.size() - written));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return Failure{createFailure(path, systemReason(errno))};
        }
        written += put;
    }
    if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0)
        return Failure{createFailure(path, systemReason(errno))};
    const QByteArray temporaryName = QFile::encodeName(temporary.fileName());
    if (::rename(temporaryName.constData(), targetName.constData()) != 0)
        return Failure{createFailure(path, systemReason(errno))};
    temporary.setAutoRemove(false);

    // Make the rename itself durable.
    const Descriptor folder(::open(QFile::encodeName(info.absolutePath()).constData(),
                                   O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        ::fsync(folder.get());
    return {};
}

} // namespace quz::files
