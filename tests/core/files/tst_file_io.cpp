// Whole-file reading with its size limits and refusals, and the atomic
// writer: what it keeps of the file it replaces and what it leaves behind.

#include "core/files/file_io.h"
#include "core/files/native_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using quz::files::FileKind;
using quz::files::readFileBytes;
using quz::files::writeFileAtomically;

namespace {

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray content(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

mode_t modeOf(const QString &path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                  | QDir::NoDotAndDotDot);
}

// Creates a file whose name is the system's bytes `name` inside `folder`.
void putNative(const QString &folder, const QByteArray &name, const QByteArray &bytes)
{
    const QByteArray path = QFile::encodeName(folder) + '/' + name;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
    ::close(fd);
}

const QByteArray kCp1251Name("\xe6\xf3\xf0\xed\xe0\xeb.quz"); // "журнал.quz" in Windows-1251

} // namespace

class TestFileIo : public QObject {
    Q_OBJECT
private slots:
    void readsWholeFile();
    void refusals_data();
    void refusals();
    void sizeLimitIsExact();
    void fileThatReportsNoSize();
    void writeCreatesAndReplaces();
    void writeKeepsPermissionBits();
    void writeThroughSymbolicLink();
    void readOnlyFileIsRefusedAndKept();
    void failedWriteLeavesNothingBehind();
    void staleTemporariesRemoved_data();
    void staleTemporariesRemoved();
    void readableNames_data();
    void readableNames();
    void namesThatAreNotUtf8_data();
    void namesThatAreNotUtf8();
};

void TestFileIo::readsWholeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vopros.txt"));
    QByteArray bytes(300000, 'x');
    bytes[0] = '\0';
    bytes[299999] = '\xff';
    put(path, bytes);
    const quz::Outcome<QByteArray> read = readFileBytes(path, FileKind::Bank);
    QVERIFY2(read.ok(), qPrintable(read.error()));
    QCOMPARE(*read, bytes);
    QCOMPARE(readFileBytes(dir.filePath(QStringLiteral("empty")), FileKind::Bank).ok(), false);
    put(dir.filePath(QStringLiteral("empty")), QByteArray());
    QCOMPARE(readFileBytes(dir.filePath(QStringLiteral("empty")), FileKind::Bank)->size(), 0);
}

void TestFileIo::refusals_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "missing"
                             << "No such file or directory";
    QTest::newRow("folder") << "folder"
                            << "Is a directory";
    QTest::newRow("pipe (must not block)") << "fifo"
                                           << "Not a regular file";
    QTest::newRow("device") << "device"
                            << "Not a regular file";
    QTest::newRow("too large") << "large"
                               << "File too large (1048577 bytes; at most 1048576 bytes are read)";
}

void TestFileIo::refusals()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("quz.ini"));
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("quz.ini")));
    else if (kind == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == QLatin1String("device"))
        path = QStringLiteral("/dev/zero");
    else if (kind == QLatin1String("large"))
        put(path, QByteArray(quz::files::sizeLimit(FileKind::Settings) + 1, 'a'));
    const quz::Outcome<QByteArray> read = readFileBytes(path, FileKind::Settings);
    QVERIFY(!read);
    QCOMPARE(read.error(), QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason));
}

void TestFileIo::sizeLimitIsExact()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quz.ini"));
    put(path, QByteArray(quz::files::sizeLimit(FileKind::Settings), 'a'));
    QCOMPARE(readFileBytes(path, FileKind::Settings)->size(),
             quz::files::sizeLimit(FileKind::Settings));
    QVERIFY(quz::files::sizeLimit(FileKind::Journal) > 20 * 1024 * 1024);
}

void TestFileIo::fileThatReportsNoSize()
{
    // Files of the system's own (size 0 in their status, content on reading)
    // are read on to their end.
    const quz::Outcome<QByteArray> status =
        readFileBytes(QStringLiteral("/proc/self/status"), FileKind::Settings);
    QVERIFY2(status.ok(), qPrintable(status.error()));
    QVERIFY(status->contains("VmRSS:"));
    QFile probe(QStringLiteral("/proc/self/status"));
    QVERIFY(probe.open(QIODevice::ReadOnly));
    QCOMPARE(QFileInfo(probe).size(), qint64(0));
}

void TestFileIo::writeCreatesAndReplaces()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("errors.quz"));
    QVERIFY(writeFileAtomically(path, "first\r\n").ok());
    QCOMPARE(content(path), QByteArray("first\r\n"));
    const mode_t mask = ::umask(0);
    ::umask(mask);
    QCOMPARE(modeOf(path), mode_t(0666 & ~mask));
    QVERIFY(writeFileAtomically(path, "second\r\n").ok());
    QCOMPARE(content(path), QByteArray("second\r\n"));
    QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("errors.quz")});
}

void TestFileIo::writeKeepsPermissionBits()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quz.ini"));
    put(path, "old");
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    QVERIFY(writeFileAtomically(path, "new").ok());
    QCOMPARE(content(path), QByteArray("new"));
    QCOMPARE(modeOf(path), mode_t(0640));
}

void TestFileIo::writeThroughSymbolicLink()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("real")));
    const QString target = dir.filePath(QStringLiteral("real/quz.ini"));
    const QString link = dir.filePath(QStringLiteral("quz.ini"));
    put(target, "old");
    QVERIFY(QFile::link(QStringLiteral("real/quz.ini"), link));
    QVERIFY(writeFileAtomically(link, "new").ok());
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(content(target), QByteArray("new"));
    QCOMPARE(entries(dir.filePath(QStringLiteral("real"))), QStringList{QStringLiteral("quz.ini")});

    // A link whose target does not exist yet creates the target.
    const QString dangling = dir.filePath(QStringLiteral("later.ini"));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("real/later.ini")), dangling));
    QVERIFY(writeFileAtomically(dangling, "made").ok());
    QVERIFY(QFileInfo(dangling).isSymLink());
    QCOMPARE(content(dir.filePath(QStringLiteral("real/later.ini"))), QByteArray("made"));
}

void TestFileIo::readOnlyFileIsRefusedAndKept()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quz.ini"));
    put(path, "kept");
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    const quz::Status written = writeFileAtomically(path, "lost");
    QVERIFY(!written);
    QCOMPARE(written.error(),
             QStringLiteral("Cannot create file \"%1\". Permission denied").arg(path));
    QCOMPARE(content(path), QByteArray("kept"));
    QCOMPARE(modeOf(path), mode_t(0444));
    QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("quz.ini")});
}

void TestFileIo::failedWriteLeavesNothingBehind()
{
    QTemporaryDir dir;
    // The target is a folder: refused, the folder untouched.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("quz.ini")));
    QVERIFY(!writeFileAtomically(dir.filePath(QStringLiteral("quz.ini")), "x"));
    // The folder of the target does not exist.
    QVERIFY(!writeFileAtomically(dir.filePath(QStringLiteral("none/quz.ini")), "x"));
    QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("quz.ini")});
    QVERIFY(entries(dir.filePath(QStringLiteral("quz.ini"))).isEmpty());
}

void TestFileIo::staleTemporariesRemoved_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("ageSeconds");
    QTest::addColumn<bool>("removed");
    // A process that has ended, and one that still runs (this one's parent).
    const pid_t ended = ::fork();
    if (ended == 0)
        ::_exit(0);
    ::waitpid(ended, nullptr, 0);
    const QString dead = QString::number(ended);
    const QString alive = QString::number(::getppid());

    QTest::newRow("old, no process id") << "quz.ini.a1b2c3d40.tmp" << 3600 << true;
    QTest::newRow("young, no process id") << "quz.ini.Qx9Zk2.tmp" << 0 << false;
    QTest::newRow("young, of an ended process") << "quz.ini." + dead + "-Ab12Cd.tmp" << 0 << true;
    QTest::newRow("young, of this process")
        << QStringLiteral("quz.ini.%1-Ab12Cd.tmp").arg(::getpid()) << 0 << true;
    QTest::newRow("young, of a running process")
        << "quz.ini." + alive + "-Ab12Cd.tmp" << 0 << false;
    QTest::newRow("old, of a running process")
        << "quz.ini." + alive + "-Ab12Cd.tmp" << 3600 << true;
    QTest::newRow("not a temporary of this file") << "quz.ini.backup" << 3600 << false;
    QTest::newRow("temporary of another file") << "other.ini." + dead + "-Ab12Cd.tmp" << 0 << false;
}

void TestFileIo::staleTemporariesRemoved()
{
    QFETCH(QString, name);
    QFETCH(int, ageSeconds);
    QFETCH(bool, removed);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quz.ini"));
    const QString other = dir.filePath(name);
    put(other, "half");
    QFile old(other);
    QVERIFY(old.open(QIODevice::ReadWrite));
    QVERIFY(old.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                            QFileDevice::FileModificationTime));
    old.close();
    QVERIFY(writeFileAtomically(path, "[SCR]\r\n").ok());
    QCOMPARE(QFileInfo::exists(other), !removed);
    QCOMPARE(content(path), QByteArray("[SCR]\r\n"));
    QCOMPARE(entries(dir.path()).size(), removed ? 1 : 2);
}

void TestFileIo::readableNames_data()
{
    QTest::addColumn<QByteArray>("native");
    QTest::addColumn<QString>("readable");
    QTest::newRow("UTF-8") << QByteArray("/tmp/журнал.quz") << u"/tmp/журнал.quz"_qs;
    QTest::newRow("Windows-1251") << QByteArray("/tmp/") + kCp1251Name << u"/tmp/журнал.quz"_qs;
    QTest::newRow("UTF-8 folder, Windows-1251 file")
        << QByteArray("/tmp/папка/") + kCp1251Name << u"/tmp/папка/журнал.quz"_qs;
    QTest::newRow("relative") << kCp1251Name << u"журнал.quz"_qs;
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestFileIo::readableNames()
{
    QFETCH(QByteArray, native);
    QTEST(quz::files::readablePath(native), "readable");
}

// A journal named in Windows-1251, as archives made on Windows carry them:
// named by its readable form, it is read by its bytes; a file whose UTF-8
// name reads the same is taken first; a failure names the file readably.
void TestFileIo::namesThatAreNotUtf8_data()
{
    QTest::addColumn<bool>("utf8Twin");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("Windows-1251 name alone") << false << QByteArray("cp1251");
    QTest::newRow("UTF-8 twin taken first") << true << QByteArray("utf-8");
}

void TestFileIo::namesThatAreNotUtf8()
{
    QFETCH(bool, utf8Twin);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"папка"_qs));
    const QString folder = dir.filePath(u"папка"_qs);
    putNative(folder, kCp1251Name, "cp1251");
    if (utf8Twin)
        put(folder + u"/журнал.quz"_qs, "utf-8");
    const QString readable = folder + u"/журнал.quz"_qs;
    QCOMPARE(quz::files::readablePath(quz::files::nativePath(readable)), readable);
    const quz::Outcome<QByteArray> read =
        readFileBytes(quz::files::nativePath(readable), readable, FileKind::Journal);
    QVERIFY2(read.ok(), qPrintable(read.error()));
    QTEST(*read, "expected");

    // A failure names the file by its readable form.
    const QByteArray folderName("\xef\xf8\xe8\xe1\xea\xe8.quz"); // "ошибки.quz"
    QVERIFY(::mkdir((QFile::encodeName(folder) + '/' + folderName).constData(), 0755) == 0);
    const QString shown = folder + u"/ошибки.quz"_qs;
    const quz::Outcome<QByteArray> notFile =
        readFileBytes(quz::files::nativePath(shown), shown, FileKind::Journal);
    QVERIFY(!notFile.ok());
    QVERIFY2(notFile.error().contains(shown + u"\". "_qs), qPrintable(notFile.error()));

    // A name that no entry reads as stays as it is given.
    const QString missing = folder + u"/жур.quz"_qs;
    QCOMPARE(quz::files::nativePath(missing), QFile::encodeName(missing));
}

QTEST_GUILESS_MAIN(TestFileIo)
#include "tst_file_io.moc"
