// The comment lookup over the bank text: where a comment starts and ends, what
// a missing header, start or end yields, and the comment file as the bank
// reads it.

#include "core/bank/comment_bank.h"
#include "core/files/text_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quz::bank;
using namespace quz::files;

namespace {

// Test texts are written with '|' for CR LF and '#' for the ticket word.
QString expand(QString text)
{
    text.replace(u'|', QStringLiteral("\r\n"));
    text.replace(u'#', QStringLiteral("билет"));
    return text;
}

std::string bank(const QString &text) { return toCp1251(expand(text)); }

} // namespace

class TestCommentBank : public QObject {
    Q_OBJECT
private slots:
    void lookup_data();
    void lookup();
    void caption();
    void loadedFile();
    void missingFileLeavesBankEmpty();
};

void TestCommentBank::lookup_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("ticket");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("comment");

    const QString two =
        QStringLiteral("Комментарии|#04|7. four|8. x|#05|1. one|2. two|7. Alpha|beta|8. Gamma|");
    QTest::newRow("comment of several lines, no line break at its end")
        << two << "05"
        << "07" << QStringLiteral("7. Alpha|beta");
    QTest::newRow("first comment after the header") << two << "05"
                                                    << "01" << QStringLiteral("1. one");
    QTest::newRow("the ticket's own comment, not an earlier ticket's")
        << two << "04"
        << "07" << QStringLiteral("7. four");
    QTest::newRow("ticket header absent: the first comment with the number anywhere")
        << two << "09"
        << "07" << QStringLiteral("7. four");
    QTest::newRow("first header of a ticket counts")
        << QStringLiteral("T|#05|7. first|8.|#05 again|7. second|8.|") << "05"
        << "07" << QStringLiteral("7. first");
    QTest::newRow("header must begin a line")
        << QStringLiteral("T|x#05|7. no|8.|#05|7. yes|8.|") << "05"
        << "07" << QStringLiteral("7. yes");

    QTest::newRow("7.Alpha is no start of comment 7")
        << QStringLiteral("T|#01|6. six|7.Alpha|7. seven|8. eight|") << "01"
        << "07" << QStringLiteral("7. seven");
    QTest::newRow("7.Alpha ends comment 6")
        << QStringLiteral("T|#01|6. six|7.Alpha|7. seven|8. eight|") << "01"
        << "06" << QStringLiteral("6. six");
    QTest::newRow("a line beginning 8.1 ends comment 7")
        << QStringLiteral("T|#01|7. seven|8.1 rule|more|8. eight|") << "01"
        << "07" << QStringLiteral("7. seven");
    QTest::newRow("start of 1 does not match 10")
        << QStringLiteral("T|#01|10. ten|11. x|#02|1. one|2. two|") << "01"
        << "01" << QStringLiteral("1. one");
    QTest::newRow("end of 1 does not match 20")
        << QStringLiteral("T|#01|1. one|20. twenty|2. two|") << "01"
        << "01" << QStringLiteral("1. one|20. twenty");
    QTest::newRow("end of 9 is 10, two digits")
        << QStringLiteral("T|#01|9. nine|1. x|10. ten|") << "01"
        << "09" << QStringLiteral("9. nine|1. x");

    const QString headerFirst = QStringLiteral("#01|1. a|2. b|#02|1. c|2. d|");
    QTest::newRow("header on the first line: same comment for that ticket")
        << headerFirst << "01"
        << "01" << QStringLiteral("1. a");
    QTest::newRow("header on the first line: later tickets still found")
        << headerFirst << "02"
        << "01" << QStringLiteral("1. c");

    QTest::newRow("comment 20 runs on to the next 21. further down")
        << QStringLiteral("T|#01|20. last|#02|1. c|21. ----|") << "01"
        << "20" << QStringLiteral("20. last|#02|1. c");
    QTest::newRow("comment 20 without any 21. is empty")
        << QStringLiteral("T|#01|19. a|20. last|#02|1. c|") << "01"
        << "20" << QString();
    QTest::newRow("comment 8 missing: comment 7 runs through the next ticket")
        << QStringLiteral("T|#05|7. seven|#06|1. a|7. b|8. c|") << "05"
        << "07" << QStringLiteral("7. seven|#06|1. a|7. b");
    QTest::newRow("comment 7 missing: the next ticket's comment 7")
        << QStringLiteral("T|#05|6. x|8. y|#06|7. z|8. w|") << "05"
        << "07" << QStringLiteral("7. z");

    QTest::newRow("end absent: empty, not the rest of the file")
        << QStringLiteral("T|#01|1. one|3. three|") << "01"
        << "01" << QString();
    QTest::newRow("start absent: from the second character up to the end marker")
        << QStringLiteral("Title|#01|1. a|3. c|") << "01"
        << "02" << QStringLiteral("itle|#01|1. a");
    QTest::newRow("start absent, file begins with the comment line")
        << QStringLiteral("7. a|8. b|") << "01"
        << "07" << QStringLiteral(". a");
    QTest::newRow("start absent, end marker only at the very beginning")
        << QStringLiteral("|8. b|") << "01"
        << "07" << QString();
    QTest::newRow("start and end absent") << two << "05"
                                          << "12" << QString();
    QTest::newRow("empty bank") << QString() << "01"
                                << "01" << QString();
    QTest::newRow("question text not a number") << two << "05"
                                                << "x7" << QString();
}

void TestCommentBank::lookup()
{
    QFETCH(QString, text);
    QFETCH(QString, ticket);
    QFETCH(QString, question);
    QFETCH(QString, comment);
    const std::string found = lookupComment(bank(text), toCp1251(ticket), toCp1251(question));
    QCOMPARE(fromCp1251(found), expand(comment));
}

void TestCommentBank::caption()
{
    QCOMPARE(commentCaption(QStringLiteral("05"), QStringLiteral("07")),
             QStringLiteral("Комментарий к билету №05, вопрос №07"));
}

void TestCommentBank::loadedFile()
{
    // Lone LF and lone CR line ends, Windows-1251 text: the bank holds CR LF
    // lines, so the markers are found and the comment keeps CR LF inside.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("koment.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(
        toCp1251(QStringLiteral("Комментарии\nбилет05\r7. Альфа\nбета\r\n8. Гамма"))));
    file.close();
    CommentBank comments;
    QVERIFY(comments.loadFile(path).ok());
    QCOMPARE(comments.lookup(QStringLiteral("05"), QStringLiteral("07")),
             QStringLiteral("7. Альфа\r\nбета"));
    QCOMPARE(displayText(comments.lookup(QStringLiteral("05"), QStringLiteral("07"))),
             QStringLiteral("7. Альфа\nбета"));
}

void TestCommentBank::missingFileLeavesBankEmpty()
{
    CommentBank comments;
    const quz::Status loaded = comments.loadFile(QStringLiteral("/no/such/dir/koment.txt"));
    QVERIFY(!loaded.ok());
    QCOMPARE(
        loaded.error(),
        QStringLiteral("Cannot open file \"/no/such/dir/koment.txt\". No such file or directory"));
    QCOMPARE(comments.lookup(QStringLiteral("01"), QStringLiteral("01")), QString());
}

QTEST_GUILESS_MAIN(TestCommentBank)
#include "tst_comment_bank.moc"
