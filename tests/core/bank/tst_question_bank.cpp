// The question lookup over the bank text: record layouts, the two-lines-at-a
// -time variant reading, and texts that end or lack the key.

#include "core/bank/question_bank.h"
#include "core/files/text_file.h"

#include <QTest>

using namespace quz::bank;
using namespace quz::files;

namespace {

// Test texts are written with '|' for CR LF and '#' for the ticket word.
std::string bank(QString text)
{
    text.replace(u'|', QStringLiteral("\r\n"));
    text.replace(u'#', QStringLiteral("билет"));
    return toCp1251(text);
}

QStringList variants(const QStringList &plain)
{
    QStringList items;
    for (QString v : plain)
        items << v.replace(u'|', QStringLiteral("\r\n"));
    return items;
}

} // namespace

class TestQuestionBank : public QObject {
    Q_OBJECT
private slots:
    void lookup_data();
    void lookup();
    void lineSplitting_data();
    void lineSplitting();
    void bankLinesAreTheSplitLines();
    void missingFile();
    void cp1251RoundTrip();
};

void TestQuestionBank::lookup_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("ticket");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("questionText");
    QTest::addColumn<QStringList>("items");

    const QString next = QStringLiteral("#01023|Q2|x|y|");
    QTest::newRow("next header directly, 3 variants")
        << QStringLiteral("#01013|Q1|a|b|c|") + next << "01"
        << "01"
        << "3"
        << "Q1" << variants({"a|", "b|", "c|"});
    QTest::newRow("blank line before next header, 3 variants")
        << QStringLiteral("#01013|Q1|a|b|c||") + next << "01"
        << "01"
        << "3"
        << "Q1" << variants({"a|", "b|", "c|"});
    QTest::newRow("next header directly, 2 variants")
        << QStringLiteral("#01011|Q1|a|b|") + next << "01"
        << "01"
        << "1"
        << "Q1" << variants({"a|", "b|"});
    QTest::newRow("blank line before next header, 2 variants")
        << QStringLiteral("#01011|Q1|a|b||") + next << "01"
        << "01"
        << "1"
        << "Q1" << variants({"a|", "b|"});
    QTest::newRow("second record found by its key")
        << QStringLiteral("#01013|Q1|a|b|c||") + next + QStringLiteral("#end|") << "01"
        << "02"
        << "3"
        << "Q2" << variants({"x|", "y|"});
    QTest::newRow("variant with the ticket word ends the list before it")
        << QStringLiteral("#01012|Q1|a|this # word|b|") + next << "01"
        << "01"
        << "2"
        << "Q1" << variants({"a|"});
    QTest::newRow("blank first line of a pair is joined to the next line")
        << QStringLiteral("#01012|Q1|a|b||c|d|") + next << "01"
        << "01"
        << "2"
        << "Q1" << variants({"a|", "b|", "|c|", "d|"});
    QTest::newRow("blank second line of a pair ends the list")
        << QStringLiteral("#01012|Q1|a||c|d|") + next << "01"
        << "01"
        << "2"
        << "Q1" << variants({"a|", "|c|", "d|"});
    QTest::newRow("trailing blanks on the header shift the question text")
        << QStringLiteral("#01012 |Q1|a|b|") + next << "01"
        << "01"
        << "2" << QStringLiteral("\nQ1") << variants({"a|", "b|"});
    QTest::newRow("key absent: nothing to show") << QStringLiteral("#01012|Q1|a|b|") + next << "07"
                                                 << "12"
                                                 << ""
                                                 << "" << QStringList();
    QTest::newRow("bank ends inside the variants (odd): no extra empty variant")
        << QStringLiteral("#01012|Q1|a|b|c|") << "01"
        << "01"
        << "2"
        << "Q1" << variants({"a|", "b|", "c|"});
    QTest::newRow("bank ends inside the variants (even): no wrap to the start")
        << QStringLiteral("#01012|Q1|a|b|") << "01"
        << "01"
        << "2"
        << "Q1" << variants({"a|", "b|"});
    QTest::newRow("bank ends on the header line") << QStringLiteral("#0101") << "01"
                                                  << "01"
                                                  << "\r"
                                                  << "" << QStringList();
    QTest::newRow("bank ends after the answer digit") << QStringLiteral("#01014") << "01"
                                                      << "01"
                                                      << "4"
                                                      << "" << QStringList();
}

void TestQuestionBank::lookup()
{
    QFETCH(QString, text);
    QFETCH(QString, ticket);
    QFETCH(QString, question);
    QuestionBank b;
    b.setText(bank(text));
    const Question q = b.lookup(ticket, question);
    QTEST(q.answer, "answer");
    QTEST(q.text, "questionText");
    QTEST(q.variants, "items");
}

void TestQuestionBank::lineSplitting_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("bank");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QByteArray("a\r\nb\r\n");
    QTest::newRow("lone LF") << QByteArray("a\nb") << QByteArray("a\r\nb\r\n");
    QTest::newRow("lone CR") << QByteArray("a\rb\r") << QByteArray("a\r\nb\r\n");
    QTest::newRow("mixed, empty lines kept")
        << QByteArray("a\r\n\nb\r\rc") << QByteArray("a\r\n\r\nb\r\n\r\nc\r\n");
    QTest::newRow("CR LF, last line without a break")
        << QByteArray("a\r\nb") << QByteArray("a\r\nb\r\n");
    QTest::newRow("lone LF between CR LF lines")
        << QByteArray("a\r\nb\nc\r\nd\r\n") << QByteArray("a\r\nb\r\nc\r\nd\r\n");
    QTest::newRow("LF then CR is two breaks")
        << QByteArray("a\n\rb") << QByteArray("a\r\n\r\nb\r\n");
    QTest::newRow("CR before CR LF") << QByteArray("a\r\r\nb") << QByteArray("a\r\n\r\nb\r\n");
    QTest::newRow("breaks only") << QByteArray("\n\r\n\r") << QByteArray("\r\n\r\n\r\n");
    QTest::newRow("NUL ends the text")
        << QByteArray("a\r\nb\0c\r\n", 8) << QByteArray("a\r\nb\r\n");
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void TestQuestionBank::lineSplitting()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, bank);
    QCOMPARE(QByteArray::fromStdString(normaliseLines(file.toStdString())), bank);
}

void TestQuestionBank::bankLinesAreTheSplitLines()
{
    // Every text of up to 8 characters made of 'a', CR and LF: the bank form
    // is the lines that splitLines() finds, each followed by CR LF.
    const char alphabet[] = {'a', '\r', '\n'};
    std::vector<std::string> texts{std::string()};
    for (size_t from = 0; texts.back().size() < 8;) {
        const size_t to = texts.size();
        for (size_t i = from; i < to; ++i)
            for (const char c : alphabet)
                texts.push_back(texts[i] + c);
        from = to;
    }
    for (const std::string &text : texts) {
        std::string joined;
        for (const std::string_view line : splitLines(text))
            joined.append(line).append("\r\n");
        QCOMPARE(QByteArray::fromStdString(normaliseLines(text)),
                 QByteArray::fromStdString(joined));
    }
}

void TestQuestionBank::missingFile()
{
    QuestionBank b;
    const quz::Status loaded = b.loadFile(QStringLiteral("/no/such/dir/vopros.txt"));
    QVERIFY(!loaded);
    QCOMPARE(
        loaded.error(),
        QStringLiteral("Cannot open file \"/no/such/dir/vopros.txt\". No such file or directory"));
    QVERIFY(b.isEmpty());
    QCOMPARE(b.lookup(QStringLiteral("01"), QStringLiteral("01")).variants.size(), 0);
}

void TestQuestionBank::cp1251RoundTrip()
{
    std::string all;
    for (int c = 1; c < 256; ++c)
        if (c != 0x98) // the one unassigned byte of the code page
            all += static_cast<char>(c);
    const QString text = fromCp1251(all);
    QCOMPARE(text.size(), static_cast<qsizetype>(all.size()));
    QCOMPARE(toCp1251(text), all);
    QCOMPARE(toCp1251(QStringLiteral("билет€")), std::string("\xe1\xe8\xeb\xe5\xf2\x88"));
}

QTEST_GUILESS_MAIN(TestQuestionBank)
#include "tst_question_bank.moc"
