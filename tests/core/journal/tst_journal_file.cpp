// Journal files: bytes to lines (every line end, empty lines, Windows-1251),
// lines to bytes, the round trip, and writes that fail without touching the
// file that was there.

#include "core/files/text_file.h"
#include "core/journal/journal_entries.h"
#include "core/journal/journal_file.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace quz::journal;
using namespace Qt::StringLiterals;

using quz::test::readAll;
using quz::test::writeAll;

namespace {

QByteArray cp1251(const QString &text)
{
    return QByteArray::fromStdString(quz::files::toCp1251(text));
}

// Every byte that can stand in a line: all but NUL, CR and LF.
QString everyLineCharacter()
{
    std::string bytes;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n')
            bytes += static_cast<char>(b);
    return quz::files::fromCp1251(bytes);
}

} // namespace

class TestJournalFile : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void bytes_data();
    void bytes();
    void noByteLost_data();
    void noByteLost();
    void roundTrip_data();
    void roundTrip();
    void characterOutsideCodePage();
    void writeReplacesWholeFile();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void unreadableFile();
};

void TestJournalFile::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << "a\r\nb\r\n"_ba << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("lone LF") << "a\nb\n"_ba << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("lone CR") << "a\rb\r"_ba << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("mixed ends") << "a\r\nb\nc\rd"_ba << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s};
    QTest::newRow("empty lines are lines")
        << "\r\n\r\nx\r\n\r\n"_ba << QStringList{QString(), QString(), u"x"_s, QString()};
    QTest::newRow("CR before CR LF") << "a\r\r\nb"_ba << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("LF CR is two ends") << "a\n\rb"_ba << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("last line without end") << "a\r\nb"_ba << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("one line end") << "\r\n"_ba << QStringList{QString()};
    // A NUL byte is a character of its line: nothing after it is dropped.
    QTest::newRow("NUL is a character")
        << QByteArray("a\r\nb\0c\r\nd", 9) << QStringList{u"a"_s, u"b\0c"_s, u"d"_s};
    QTest::newRow("Windows-1251 entries")
        << cp1251(u"Старт 07.12.2026 0:08:40 Билет 05\r\n-> 05 вопрос 12\r\n"_s)
        << QStringList{u"Старт 07.12.2026 0:08:40 Билет 05"_s, u"-> 05 вопрос 12"_s};
    QTest::newRow("blanks kept") << "  -> 01 \t\r\n"_ba << QStringList{u"  -> 01 \t"_s};
}

void TestJournalFile::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    const JournalLines parsed = parseJournal(bytes);
    QCOMPARE(parsed.toStringList(), lines);
    QCOMPARE(parsed.size(), lines.size());
}

// Whatever the bytes (NUL bytes, a UTF-16 file, random bytes), every byte
// that is not a line break reaches a line, and a save writes them all back.
void TestJournalFile::noByteLost_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("NUL in the middle") << QByteArray("-> 01\0 x\r\nafter\r\n", 17);
    QTest::newRow("NUL-padded end") << QByteArray("-> 01 вопрос 02\r\n") + QByteArray(4096, '\0');
    QByteArray utf16("\xff\xfe", 2);
    for (const QChar c : u"-> 01 вопрос 02\r\nСтарт\r\n"_s)
        utf16 += QByteArray(reinterpret_cast<const char *>(&c), 2);
    QTest::newRow("UTF-16 with its mark") << utf16;
    QByteArray random(65536, Qt::Uninitialized);
    quint32 seed = 2004;
    for (char &b : random) {
        seed = seed * 1664525u + 1013904223u;
        b = static_cast<char>(seed >> 24);
    }
    QTest::newRow("random bytes") << random;
}

void TestJournalFile::noByteLost()
{
    QFETCH(QByteArray, bytes);
    const JournalLines lines = parseJournal(bytes);
    QByteArray kept;
    for (qsizetype row = 0; row < lines.size(); ++row)
        kept += QByteArray(lines.bytesAt(row).data(), qsizetype(lines.bytesAt(row).size()));
    QByteArray expected = bytes;
    expected.replace('\r', QByteArray()).replace('\n', QByteArray());
    QCOMPARE(kept, expected);
    QCOMPARE(parseJournal(journalBytes(lines)).toStringList(), lines.toStringList());
}

void TestJournalFile::bytes_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("no lines") << QStringList{} << QByteArray();
    QTest::newRow("every line ends in CR LF, the last too")
        << QStringList{u"a"_s, u"b"_s} << "a\r\nb\r\n"_ba;
    QTest::newRow("empty lines") << QStringList{QString(), u"x"_s, QString()} << "\r\nx\r\n\r\n"_ba;
    QTest::newRow("Windows-1251") << QStringList{u"-> 05 вопрос 12"_s}
                                  << cp1251(u"-> 05 вопрос 12\r\n"_s);
}

void TestJournalFile::bytes()
{
    QFETCH(QStringList, lines);
    QTEST(journalBytes(JournalLines(lines)), "expected");
}

void TestJournalFile::roundTrip_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("run") << QStringList{u"Старт 07.12.2026 0:08:40 Билет 05"_s,
                                        u"-> 05 вопрос 12"_s, u"-> 05 вопрос 17"_s};
    QTest::newRow("placeholder") << placeholderLines();
    QTest::newRow("only empty lines") << QStringList{QString(), QString(), QString()};
    QTest::newRow("every character") << QStringList{everyLineCharacter(), u"end"_s};
}

void TestJournalFile::roundTrip()
{
    QFETCH(QStringList, lines);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"journal.quz"_s);
    const quz::Status written = writeJournalFile(path, JournalLines(lines));
    QVERIFY2(written.ok(), qPrintable(written.error()));
    const quz::Outcome<JournalLines> read = readJournalFile(path);
    QVERIFY2(read.ok(), qPrintable(read.error()));
    QCOMPARE(read->toStringList(), lines);
    // Written back, the file is the same byte for byte.
    QCOMPARE(journalBytes(*read), readAll(path));
}

// A start entry can hold characters of the user's date format that the code
// page lacks: they become '?' when the line enters the journal, so the list
// shows what a save writes and the save writes every line.
void TestJournalFile::characterOutsideCodePage()
{
    JournalLines lines;
    lines.append(u"Старт 2026/12/7 上午0:08:40 Билет 05"_s);
    lines.append(u"a\r\nb"_s);
    QCOMPARE(lines.at(0), u"Старт 2026/12/7 ??0:08:40 Билет 05"_s);
    QCOMPARE(lines.at(1), u"a  b"_s);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(journalBytes(lines), cp1251(u"Старт 2026/12/7 ??0:08:40 Билет 05\r\na  b\r\n"_s));
}

void TestJournalFile::writeReplacesWholeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"j.quz"_s);
    writeAll(path, "a much longer old content\r\nwith two lines\r\n"_ba);
    QVERIFY(writeJournalFile(path, JournalLines(QStringList{u"x"_s})).ok());
    QCOMPARE(readAll(path), "x\r\n"_ba);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"j.quz"_s});
}

void TestJournalFile::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("read-only file") << u"read-only"_s;
    QTest::newRow("a folder of that name") << u"folder"_s;
    QTest::newRow("missing folder") << u"missing"_s;
}

void TestJournalFile::failedWriteKeepsOldFile()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString path = dir.filePath(u"old.quz"_s);
    const QByteArray old = "-> 01 вопрос 01\r\n"_ba;
    if (kind == u"read-only"_s) {
        writeAll(path, old);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
    } else if (kind == u"folder"_s) {
        QVERIFY(QDir(dir.path()).mkdir(u"old.quz"_s));
    } else {
        path = dir.filePath(u"no/such/folder/old.quz"_s);
    }
    const quz::Status written =
        writeJournalFile(path, JournalLines(QStringList{u"new"_s, u"lines"_s}));
    QVERIFY(!written.ok());
    QVERIFY2(written.error().contains(QFileInfo(path).fileName()), qPrintable(written.error()));
    if (kind == u"read-only"_s)
        QCOMPARE(readAll(path), old);
    // No temporary file is left beside it.
    const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    QVERIFY2(left.size() <= 1, qPrintable(left.join(u", "_s)));
}

void TestJournalFile::unreadableFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"missing.quz"_s);
    const quz::Outcome<JournalLines> read = readJournalFile(path);
    QVERIFY(!read.ok());
    QVERIFY2(read.error().contains(path), qPrintable(read.error()));
}

QTEST_GUILESS_MAIN(TestJournalFile)
#include "tst_journal_file.moc"
