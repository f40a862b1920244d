// What one lookup may cost on a damaged bank: the question lookup's variant
// list and line lengths, the comment lookup's length, and numbers at the
// limits of int coming from a hand-edited settings file.

#include "core/bank/comment_bank.h"
#include "core/bank/picture_store.h"
#include "core/bank/question_bank.h"
#include "core/files/text_file.h"

#include <QFile>
#include <QTest>

#include <string>

using namespace quz::bank;

namespace {

const std::string kWord = "\xe1\xe8\xeb\xe5\xf2"; // the ticket word in Windows-1251

std::string lines(const std::string &line, int count)
{
    std::string text;
    text.reserve((line.size() + 2) * static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        text += line + "\r\n";
    return text;
}

std::vector<std::string> items(const std::string &line, int count)
{
    return std::vector<std::string>(static_cast<size_t>(count), line + "\r\n");
}

} // namespace

class TestBankBounds : public QObject {
    Q_OBJECT
private slots:
    void questionLookup_data();
    void questionLookup();
    void commentLookup_data();
    void commentLookup();
    void normaliseInPlace_data();
    void normaliseInPlace();
    void pictureDecodeBound_data();
    void pictureDecodeBound();
};

void TestBankBounds::questionLookup_data()
{
    QTest::addColumn<QByteArray>("bank");
    QTest::addColumn<QByteArray>("question");
    QTest::addColumn<QList<QByteArray>>("variants");

    const std::string header = kWord + "01012\r\n";
    const std::string next = kWord + "01023\r\nQ2\r\nx\r\ny\r\n" + kWord + " end\r\n";
    const auto row = [&](const char *name, const std::string &bank, const std::string &question,
                         const std::vector<std::string> &variants) {
        QList<QByteArray> list;
        for (const std::string &v : variants)
            list << QByteArray::fromStdString(v);
        QTest::newRow(name) << QByteArray::fromStdString(bank)
                            << QByteArray::fromStdString(question) << list;
    };

    row("five variants, blank line: as written", header + "Q1\r\n" + lines("v", 5) + "\r\n" + next,
        "Q1", items("v", 5));
    row("sixteen variants: all of them", header + "Q1\r\n" + lines("v", 16) + next, "Q1",
        items("v", 16));
    row("seventeen variants: the first sixteen", header + "Q1\r\n" + lines("v", 17) + next, "Q1",
        items("v", 16));
    row("variant list that never ends (800 000 lines)",
        header + "Q1\r\n" + lines("plain line", 800000), "Q1", items("plain line", 16));
    row("blank lines joined to variants count as items", header + "Q1\r\n" + lines("\r\nv", 40),
        "Q1", items("\r\nv", 16));

    const std::string longLine(3 * 1024 * 1024, 'x');
    const std::string cut(kMaxLineLength, 'x');
    row("question line of 3 MB is cut", header + longLine + "\r\na\r\nb\r\n" + next, cut,
        {"a\r\n", "b\r\n"});
    row("question line of 3 MB that the bank ends in", header + longLine, cut, {});
    row("variant of 3 MB is cut and keeps its line end",
        header + "Q1\r\na\r\n" + longLine + "\r\nc\r\n" + next, "Q1",
        {"a\r\n", cut + "\r\n", "c\r\n"});
    row("variant one character below the cut is kept whole",
        header + "Q1\r\n" + std::string(kMaxLineLength, 'y') + "\r\nb\r\n" + next, "Q1",
        {std::string(kMaxLineLength, 'y') + "\r\n", "b\r\n"});
}

void TestBankBounds::questionLookup()
{
    QFETCH(QByteArray, bank);
    QFETCH(QByteArray, question);
    QFETCH(QList<QByteArray>, variants);
    const QuestionRaw raw = lookupQuestion(bank.toStdString(), "01", "01");
    QVERIFY(raw.found);
    QCOMPARE(raw.answer, std::string("2"));
    QCOMPARE(QByteArray::fromStdString(raw.text), question);
    QList<QByteArray> got;
    for (const std::string &v : raw.variants)
        got << QByteArray::fromStdString(v);
    QCOMPARE(got.size(), variants.size());
    QCOMPARE(got, variants);
}

void TestBankBounds::commentLookup_data()
{
    QTest::addColumn<QByteArray>("bank");
    QTest::addColumn<QByteArray>("ticket");
    QTest::addColumn<QByteArray>("question");
    QTest::addColumn<QByteArray>("comment");

    const std::string tickets = "Title\r\n" + kWord + "05\r\n7. Alpha\r\nbeta\r\n8. Gamma\r\n";
    QTest::newRow("ordinary comment") << QByteArray::fromStdString(tickets) << QByteArray("05")
                                      << QByteArray("07") << QByteArray("7. Alpha\r\nbeta");
    QTest::newRow("question at the largest int ends at the next number")
        << QByteArray::fromStdString("t\r\n2147483647. A\r\n2147483648. B\r\n") << QByteArray("01")
        << QByteArray("2147483647") << QByteArray("2147483647. A");
    QTest::newRow("question number out of int range gives no comment")
        << QByteArray::fromStdString("t\r\n2147483648. A\r\n2147483649. B\r\n") << QByteArray("01")
        << QByteArray("2147483648") << QByteArray();

    // Comment 1 without comment 2 anywhere but at the very end: the text runs
    // over most of the file and is cut.
    const std::string body = lines(std::string(100, 'c'), 20000);
    const std::string runaway = "t\r\n" + kWord + "01\r\n1. start\r\n" + body + "2. end\r\n";
    QTest::newRow("comment that runs over 2 MB is cut")
        << QByteArray::fromStdString(runaway) << QByteArray("01") << QByteArray("01")
        << QByteArray::fromStdString(runaway.substr(runaway.find("1. start"), kMaxCommentLength));
}

void TestBankBounds::commentLookup()
{
    QFETCH(QByteArray, bank);
    QFETCH(QByteArray, ticket);
    QFETCH(QByteArray, question);
    const std::string text =
        lookupComment(bank.toStdString(), ticket.toStdString(), question.toStdString());
    QTEST(QByteArray::fromStdString(text), "comment");
}

void TestBankBounds::normaliseInPlace_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("bank");
    QTest::newRow("CR LF: unchanged") << QByteArray("a\r\nb\r\n") << QByteArray("a\r\nb\r\n");
    QTest::newRow("last line without a break") << QByteArray("a\r\nb") << QByteArray("a\r\nb\r\n");
    QTest::newRow("lone LF") << QByteArray("a\nb\n") << QByteArray("a\r\nb\r\n");
    QTest::newRow("lone CR") << QByteArray("a\rb\r") << QByteArray("a\r\nb\r\n");
    QTest::newRow("CR CR LF") << QByteArray("a\r\r\n") << QByteArray("a\r\n\r\n");
    QTest::newRow("LF CR: two breaks") << QByteArray("\n\r") << QByteArray("\r\n\r\n");
    QTest::newRow("only line feeds") << QByteArray(1000, '\n') << QByteArray("\r\n").repeated(1000);
    QTest::newRow("NUL ends the text") << QByteArray("a\nb\0c\n", 6) << QByteArray("a\r\nb\r\n");
    QTest::newRow("NUL first") << QByteArray("\0a\n", 3) << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("one character") << QByteArray("x") << QByteArray("x\r\n");
}

void TestBankBounds::normaliseInPlace()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, bank);
    QByteArray inPlace = file;
    quz::files::normaliseLinesInPlace(inPlace);
    QCOMPARE(inPlace, bank);
    QCOMPARE(QByteArray::fromStdString(quz::files::normaliseLines(file.toStdString())), bank);

    // The banks hold the same text whether set from bytes or loaded.
    QuestionBank questions;
    questions.setText(std::string_view(file.constData(), size_t(file.size())));
    QCOMPARE(QByteArray(questions.text().data(), qsizetype(questions.text().size())), bank);
}

void TestBankBounds::pictureDecodeBound_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("decoded");
    QTest::newRow("600 x 300: decoded") << 600 << 300 << true;
    QTest::newRow("6000 x 6000 (36 megapixels): refused") << 6000 << 6000 << false;
    QTest::newRow("8192 x 4097, one row over: refused") << 8192 << 4097 << false;
    QTest::newRow("65000 x 65000: refused") << 65000 << 65000 << false;
}

void TestBankBounds::pictureDecodeBound()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, decoded);
    QFile file(QStringLiteral(QUZ_TEST_DATA_DIR "/pictures/red_600x300.jpg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    // The frame header's height and width, as a damaged or hostile file may
    // state them; the data behind stays that of a small picture.
    const qsizetype sof = bytes.indexOf(QByteArray("\xff\xc0", 2));
    QVERIFY(sof > 0);
    bytes[sof + 5] = char(height >> 8);
    bytes[sof + 6] = char(height & 0xff);
    bytes[sof + 7] = char(width >> 8);
    bytes[sof + 8] = char(width & 0xff);
    JpegPicture picture;
    QVERIFY(picture.loadBytes(bytes).ok());
    QCOMPARE(picture.size(), QSize(width, height));
    QCOMPARE(!picture.image().isNull(), decoded);
    if (!decoded)
        QCOMPARE(picture.decodeResult().error(), QStringLiteral("JPEG error #54"));
}

QTEST_GUILESS_MAIN(TestBankBounds)
#include "tst_bank_bounds.moc"
