// The checker's index of a bank answers every search of the question and
// comment lookups exactly as the bank's own find() does, and maps positions
// to the lines an editor shows.

#include "check/bank_index.h"
#include "core/bank/comment_bank.h"
#include "core/bank/question_bank.h"
#include "core/files/text_file.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace quz::check;

namespace {

std::string demoBank(const char *name)
{
    QFile file(QDir(QString::fromUtf8(QUZ_DEMO_DATA_DIR)).filePath(QString::fromUtf8(name)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return quz::files::normaliseLines(std::string_view(bytes.constData(), bytes.size()));
}

// Lines made of the pieces the lookups search for, shuffled, with blanks,
// long numbers and a ticket word at the very end of the text.
std::string mixedBank(quint32 seed)
{
    QRandomGenerator random(seed);
    const char *const pieces[] = {
        "\xe1\xe8\xeb\xe5\xf2"
        "0101",
        "\xe1\xe8\xeb\xe5\xf2"
        "01012",
        "\xe1\xe8\xeb\xe5\xf2"
        "4020",
        "\xe1\xe8\xeb\xe5\xf2"
        "05",
        "\xe1\xe8\xeb\xe5\xf2"
        "0",
        "\xe1\xe8\xeb\xe5\xf2",
        "x \xe1\xe8\xeb\xe5\xf2"
        "0203",
        "1. a",
        "1.",
        "12. b",
        "12.5",
        "7.x",
        "07. c",
        "21. ----",
        "123456789012. long",
        "",
        " ",
        "2",
        ".",
        "20.",
        "3. ",
    };
    std::string text;
    const int lines = 50 + static_cast<int>(random.bounded(200));
    for (int i = 0; i < lines; ++i) {
        text += pieces[random.bounded(static_cast<quint32>(std::size(pieces)))];
        text += random.bounded(8) == 0 ? "\r" : "\r\n"; // a stray CR now and then
    }
    return text + "\xe1\xe8\xeb\xe5\xf2";
}

std::vector<std::string> patterns()
{
    std::vector<std::string> list;
    const std::string word = "\xe1\xe8\xeb\xe5\xf2";
    for (int t = 0; t <= 41; ++t) {
        const std::string ticket = (t < 10 ? "0" : "") + std::to_string(t);
        list.push_back("\r\n" + word + ticket);
        for (const char *q : {"01", "02", "10", "12", "20", "21"})
            list.push_back(word + ticket + q);
    }
    for (int n = 0; n <= 22; ++n) {
        list.push_back("\r\n" + std::to_string(n) + ". ");
        list.push_back("\r\n" + std::to_string(n) + ".");
    }
    for (const char *odd : {"\r\n07. ", "\r\n123456789012.", "\r\n\xe1\xe8\xeb\xe5\xf2", "\r\n",
                            "\xe1\xe8\xeb\xe5\xf2"
                            "01",
                            "1. ",
                            "\r\n\xe1\xe8\xeb\xe5\xf2"
                            "0"})
        list.emplace_back(odd);
    return list;
}

} // namespace

class TestBankIndex : public QObject {
    Q_OBJECT

private slots:
    void searchesAnswerAsFind_data();
    void searchesAnswerAsFind();
    void linesAsAnEditorShowsThem_data();
    void linesAsAnEditorShowsThem();
    void largestQuestionNumberFindsNothing();
};

void TestBankIndex::searchesAnswerAsFind_data()
{
    QTest::addColumn<QByteArray>("bank");
    QTest::newRow("demonstration questions") << QByteArray::fromStdString(demoBank("vopros.txt"));
    QTest::newRow("demonstration comments") << QByteArray::fromStdString(demoBank("koment.txt"));
    for (quint32 seed = 1; seed <= 20; ++seed)
        QTest::newRow(qPrintable(QStringLiteral("mixed %1").arg(seed)))
            << QByteArray::fromStdString(mixedBank(seed));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("line ends only") << QByteArray("\r\n\r\n\r\n");
    QTest::newRow("ticket word cut at the end") << QByteArray("\r\n\xe1\xe8\xeb\xe5\xf2"
                                                              "0");
    QTest::newRow("number cut at the end") << QByteArray("a\r\n12");
}

void TestBankIndex::searchesAnswerAsFind()
{
    QFETCH(QByteArray, bank);
    const std::string text = bank.toStdString();
    const BankText index(text);
    const std::string_view view = text;
    const size_t froms[] = {
        0, 1, 2, text.size() / 3, text.size() / 2, text.size(), text.size() + 5};
    for (const std::string &pattern : patterns())
        for (const size_t from : froms)
            QVERIFY2(
                index.find(pattern, from) == view.find(pattern, from),
                qPrintable(
                    QStringLiteral("%1 from %2").arg(quz::files::fromCp1251(pattern)).arg(from)));

    // Whole lookups through the index give the program's own results.
    for (const char *t : {"01", "05", "21", "40"})
        for (const char *q : {"01", "07", "20"}) {
            const auto plain = quz::bank::locateQuestion(view, t, q);
            const auto indexed = quz::bank::locateQuestion(view, t, q, index.search());
            QCOMPARE(indexed.key, plain.key);
            QCOMPARE(indexed.variants, plain.variants);
            const auto comment = quz::bank::locateComment(view, t, q);
            const auto indexedComment = quz::bank::locateComment(view, t, q, index.search());
            QCOMPARE(indexedComment.start, comment.start);
            QCOMPARE(indexedComment.end, comment.end);
            QCOMPARE(quz::bank::lookupComment(view, t, q),
                     std::string(
                         view.substr(comment.textBegin,
                                     comment.isEmpty() ? 0 : comment.textEnd - comment.textBegin)));
        }
}

void TestBankIndex::linesAsAnEditorShowsThem_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << QByteArray("a\r\nbb\r\n") << QStringList{"a", "bb"};
    QTest::newRow("LF, CR and blank lines")
        << QByteArray("a\n\rb\r\n\nc") << QStringList{"a", "", "b", "", "c"};
    QTest::newRow("no line end at the end") << QByteArray("x") << QStringList{"x"};
    QTest::newRow("empty") << QByteArray() << QStringList{};
    QTest::newRow("NUL ends the text") << QByteArray("a\r\nb\0c\r\nd", 9) << QStringList{"a", "b"};
}

void TestBankIndex::linesAsAnEditorShowsThem()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, lines);
    const BankText bank(quz::files::normaliseLines(file.toStdString()));
    QCOMPARE(bank.lineCount(), lines.size());
    for (int i = 0; i < bank.lineCount(); ++i) {
        QCOMPARE(QString::fromLatin1(bank.line(i).data(), bank.line(i).size()), lines.at(i));
        QCOMPARE(bank.lineOf(bank.lineStart(i)), i);
        // The CR and the LF that end a line belong to it.
        QCOMPARE(bank.lineOf(bank.lineEnd(i) - 1), i);
        QCOMPARE(bank.lineOf(bank.lineEnd(i) - 2), i);
    }
}

void TestBankIndex::largestQuestionNumberFindsNothing()
{
    // The end marker of the largest number is a number beyond the int range;
    // a hand-edited settings file can hold such a number.
    const std::string bank = "t\r\n\xe1\xe8\xeb\xe5\xf2"
                             "01\r\n2147483647. a\r\n1. b\r\n";
    QCOMPARE(quz::bank::lookupComment(bank, "01", "2147483647"), std::string());
    // One below it has no start either, so its text is the file from its
    // second character up to that line.
    QCOMPARE(quz::bank::lookupComment(bank, "01", "2147483646"),
             bank.substr(1, bank.find("\r\n2147483647.") - 1));
    QCOMPARE(quz::bank::lookupComment(bank, "01", "1"), std::string());
    // Its start is found; the end it looks for, one past the largest int,
    // counted in 64 bits, is not there.
    const quz::bank::CommentLayout at = quz::bank::locateComment(bank, "01", "2147483647");
    QCOMPARE(at.start, bank.find("\r\n2147483647. "));
    QCOMPARE(at.end, std::string_view::npos);
}

QTEST_GUILESS_MAIN(TestBankIndex)
#include "tst_bank_index.moc"
