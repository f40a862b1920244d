// The byte-level checks of a text file: code page, the undefined byte 0x98,
// NUL bytes (the end of a bank's text, a character of a journal's line) and
// line ends, each on the line an editor shows.

#include "check/text_check.h"

#include <QStringEncoder>
#include <QTest>

using namespace quz::check;

namespace {

QByteArray cp1251(const char *utf8)
{
    QStringEncoder encoder("windows-1251");
    return encoder.encode(QString::fromUtf8(utf8));
}

} // namespace

class TestTextCheck : public QObject {
    Q_OBJECT

private slots:
    void findings_data();
    void findings();
    void rawLines_data();
    void rawLines();
};

void TestTextCheck::findings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected"); // "kind:line"
    QTest::addColumn<bool>("unreadable");
    QTest::addColumn<bool>("journal"); // read whole, as the program reads a journal

    QTest::newRow("plain ASCII") << QByteArray("a\r\nb\r\n") << QStringList{} << false << false;
    QTest::newRow("Windows-1251 Russian")
        << cp1251("билет01012\r\nВопрос?\r\n") << QStringList{} << false << false;
    QTest::newRow("UTF-8 Russian, first on line 2")
        << QByteArray("title\r\n") + QString::fromUtf8("Вопрос\r\n").toUtf8()
        << QStringList{"file.utf8:2"} << true << false;
    QTest::newRow("UTF-8 byte-order mark before ASCII")
        << QByteArray("\xef\xbb\xbf"
                      "abc\r\n")
        << QStringList{"file.utf8:1"} << true << false;
    QTest::newRow("UTF-16 with byte-order mark") << QByteArray("\xff\xfe"
                                                               "a\0b\0",
                                                               6)
                                                 << QStringList{"file.utf16:0"} << true << false;
    QTest::newRow("UTF-16 without byte-order mark") << QByteArray("h\0e\0l\0l\0o\0\r\0\n\0", 14)
                                                    << QStringList{"file.utf16:0"} << true << false;
    QTest::newRow("0x98 on two lines")
        << QByteArray("a\r\n\x98\r\nc\r\nd\x98\x98\r\n")
        << QStringList{"file.byte98:2", "file.byte98:4"} << false << false;
    QTest::newRow("0x98 on many lines: five, then a count")
        << QByteArray("\x98\n\x98\n\x98\n\x98\n\x98\n\x98\n\x98\n")
        << QStringList{"file.byte98:1", "file.byte98:2", "file.byte98:3",
                       "file.byte98:4", "file.byte98:5", "file.byte98:7"}
        << false << false;
    QTest::newRow("NUL bytes only: an empty file, not UTF-16")
        << QByteArray(64, '\0') << QStringList{"file.nul:1"} << false << false;
    QTest::newRow("NUL on line 3")
        << QByteArray("a\r\nb\r\nc\0d\r\ne\r\n", 13) << QStringList{"file.nul:3"} << false << false;
    QTest::newRow("0x98 after a NUL is not read")
        << QByteArray("a\0\x98", 3) << QStringList{"file.nul:1"} << false << false;
    QTest::newRow("mixed line ends: a note on the first LF")
        << QByteArray("a\r\nb\r\nc\nd\r\n") << QStringList{"file.line-ends:3"} << false << false;
    QTest::newRow("LF only is not mixed")
        << QByteArray("a\nb\nc\n") << QStringList{} << false << false;
    QTest::newRow("CR only is not mixed")
        << QByteArray("a\rb\rc\r") << QStringList{} << false << false;

    QTest::newRow("journal: 0x98 after a NUL is read")
        << QByteArray("a\0\x98", 3) << QStringList{"file.byte98:1", "file.nul:1"} << false << true;
    QTest::newRow("journal: NUL bytes on three lines, one finding on the first")
        << QByteArray("a\r\nb\0\r\n\0\0\r\nc\0", 12) << QStringList{"file.nul:2"} << false << true;
    QTest::newRow("journal: UTF-8 after a NUL")
        << QByteArray("\0", 1) + QString::fromUtf8("Старт\r\n").toUtf8()
        << QStringList{"file.utf8:1", "file.nul:1"} << true << true;
    QTest::newRow("journal: UTF-16 read whole")
        << QByteArray("\xff\xfe-\0>\0\r\0\n\0", 10) << QStringList{"file.utf16:0"} << true << true;
}

void TestTextCheck::findings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    QFETCH(bool, unreadable);
    QFETCH(bool, journal);
    const TextFacts facts =
        checkText(QStringLiteral("f.txt"), std::string_view(bytes.constData(), bytes.size()),
                  journal ? TextRole::Journal : TextRole::Questions);
    QStringList found;
    for (const Finding &finding : facts.findings)
        found << QStringLiteral("%1:%2").arg(finding.kind).arg(finding.line);
    QCOMPARE(found, expected);
    QCOMPARE(!facts.converted.isNull(), unreadable); // read on as converted
    for (const Finding &finding : facts.findings)
        QCOMPARE(finding.severity == Severity::Note,
                 finding.kind == QStringLiteral("file.line-ends"));
}

void TestTextCheck::rawLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("line");
    const QByteArray text("a\r\nb\nc\rd");
    QTest::newRow("first character") << text << 0 << 1;
    QTest::newRow("the CR of a CR LF") << text << 1 << 1;
    QTest::newRow("the LF of a CR LF") << text << 2 << 1;
    QTest::newRow("after a CR LF") << text << 3 << 2;
    QTest::newRow("after a lone LF") << text << 5 << 3;
    QTest::newRow("after a lone CR") << text << 7 << 4;
    QTest::newRow("past the end") << text << 100 << 4;
}

void TestTextCheck::rawLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, pos);
    QFETCH(int, line);
    QCOMPARE(rawLineOf(std::string_view(bytes.constData(), bytes.size()), pos), line);
}

QTEST_GUILESS_MAIN(TestTextCheck)
#include "tst_text_check.moc"
